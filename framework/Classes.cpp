#include "Classes.h"

#include <algorithm>
#include <stdexcept>

namespace qx {

QX_DEFINE_CLASS(TPersistent, TObject, b) {}

void TPersistent::Assign(TPersistent* source) {
    if (source) source->AssignTo(this);
    else throw std::invalid_argument("cannot assign nil");
}

void TPersistent::AssignTo(TPersistent* dest) {
    throw std::invalid_argument("cannot assign " + std::string(ClassName().begin(), ClassName().end()) + " to " +
                                std::string(dest->ClassName().begin(), dest->ClassName().end()));
}

void TPersistent::DefineProperties(TFiler&) {}

QX_DEFINE_CLASS(TComponent, TPersistent, b) {
    b.String(L"Name", &TComponent::Name, &TComponent::SetName).NotStored();
    b.Integer(L"Tag", [](TComponent& c) { return static_cast<int>(c.Tag()); },
              [](TComponent& c, int v) { c.SetTag(v); });
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    // Tell everyone who asked, then free what we own (last created first).
    for (TComponent* c : std::vector<TComponent*>(FFreeNotifies)) {
        c->RemoveFreeNotification(this);
        c->Notification(this, TOperation::opRemove);
    }
    FFreeNotifies.clear();
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        RemoveComponent(c);
        delete c;
    }
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::Destroying() {
    if (HasState(csDestroying)) return;
    FComponentState |= csDestroying;
    for (TComponent* c : FComponents) c->Destroying();
}

TComponent* TComponent::FindComponent(const std::wstring& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* c) {
    if (c->FOwner) c->FOwner->RemoveComponent(c);
    FComponents.push_back(c);
    c->FOwner = this;
    NotifyAll(c, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* c) {
    auto it = std::find(FComponents.begin(), FComponents.end(), c);
    if (it == FComponents.end()) return;
    NotifyAll(c, TOperation::opRemove);
    FComponents.erase(std::find(FComponents.begin(), FComponents.end(), c));
    c->FOwner = nullptr;
}

void TComponent::NotifyAll(TComponent* component, TOperation operation) {
    Notification(component, operation);
    for (TComponent* c : std::vector<TComponent*>(FComponents))
        if (c != component) c->Notification(component, operation);
}

void TComponent::SetName(const std::wstring& name) {
    if (name == FName) return;
    if (FOwner && !name.empty()) {
        TComponent* other = FOwner->FindComponent(name);
        if (other && other != this)
            throw std::invalid_argument("a component named " + std::string(name.begin(), name.end()) + " already exists");
    }
    FName = name;
}

void TComponent::SetDesigning(bool on) {
    if (on) FComponentState |= csDesigning; else FComponentState &= ~csDesigning;
    for (TComponent* c : FComponents) c->SetDesigning(on);
}

void TComponent::Loaded() { FComponentState &= ~csLoading; }

void TComponent::FreeNotification(TComponent* c) {
    if (!c || c == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), c) == FFreeNotifies.end()) {
        FFreeNotifies.push_back(c);
        c->FreeNotification(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* c) {
    auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), c);
    if (it != FFreeNotifies.end()) {
        FFreeNotifies.erase(it);
        c->RemoveFreeNotification(this);
    }
}

void TComponent::Notification(TComponent*, TOperation) {}

}  // namespace qx
