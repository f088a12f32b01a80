#pragma once
// TPersistent and TComponent: ownership, names, component state, loading, notification.
#include "TypInfo.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qx {

class TStream;
class TComponent;

// What a persistent object may store beside its published properties (DefineProperties).
class TFiler {
public:
    using TReaderProc = std::function<void(const std::wstring& value)>;
    using TWriterProc = std::function<std::wstring()>;
    using TStreamProc = std::function<void(TStream& stream)>;

    virtual ~TFiler() = default;
    // A property stored as text (read from / written to the value after "Name =").
    virtual void DefineProperty(const std::wstring& name, TReaderProc read, TWriterProc write, bool hasData) = 0;
    using TListReaderProc = std::function<void(const std::vector<std::wstring>& items)>;
    using TListWriterProc = std::function<std::vector<std::wstring>()>;
    // A property stored as a list of texts ("Name = ( 'a' 'b' )").
    virtual void DefineListProperty(const std::wstring& name, TListReaderProc read, TListWriterProc write, bool hasData) = 0;
    // A property stored as binary data ("Name = { hex }"); the stream holds exactly its bytes.
    virtual void DefineBinaryProperty(const std::wstring& name, TStreamProc read, TStreamProc write, bool hasData) = 0;
};

class TPersistent : public TObject {
    QX_CLASS(TPersistent)
public:
    virtual void Assign(TPersistent* source);
    virtual void DefineProperties(TFiler& filer);
    virtual TPersistent* GetOwner() { return nullptr; }

protected:
    virtual void AssignTo(TPersistent* dest);
};

enum TComponentStateFlag : uint32_t {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csWriting = 1u << 2,
    csDestroying = 1u << 3,
    csDesigning = 1u << 4,
};
using TComponentState = uint32_t;

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
    QX_CLASS(TComponent)
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int i) const { return FComponents.at(i); }
    TComponent* FindComponent(const std::wstring& name) const;
    void InsertComponent(TComponent* c);
    void RemoveComponent(TComponent* c);

    const std::wstring& Name() const { return FName; }
    virtual void SetName(const std::wstring& name);
    intptr_t Tag() const { return FTag; }
    void SetTag(intptr_t tag) { FTag = tag; }

    TComponentState ComponentState() const { return FComponentState; }
    bool HasState(TComponentStateFlag f) const { return (FComponentState & f) != 0; }
    void SetDesigning(bool on);

    // Reading a stored description: ReadState marks the component loading and reading;
    // the reader calls Loaded on every component once all are read.
    void BeginLoading() { FComponentState |= csLoading | csReading; }
    void EndReading() { FComponentState &= ~csReading; }
    virtual void Loaded();

    // Tells `c` when this component goes away (and this one when `c` does).
    void FreeNotification(TComponent* c);
    void RemoveFreeNotification(TComponent* c);
    TPersistent* GetOwner() override { return FOwner; }

    // Marks this component and everything it owns as being destroyed.
    void Destroying();

protected:
    virtual void Notification(TComponent* component, TOperation operation);

private:
    void NotifyAll(TComponent* component, TOperation operation);

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    std::wstring FName;
    intptr_t FTag = 0;
    TComponentState FComponentState = 0;
};

}  // namespace qx
