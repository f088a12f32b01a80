#include "RichEdit.h"

#include <richedit.h>
#include <stdexcept>

namespace qx {

namespace {

// The library registers the class; it stays loaded for the rest of the process, as windows of
// the class may exist until the end.
void LoadRichEditLibrary() {
    static const HMODULE library = ::LoadLibraryW(L"riched20.dll");
    if (!library) throw std::runtime_error("riched20.dll cannot be loaded");
}

}  // namespace

QX_DEFINE_CLASS(TRichEdit, TMemo, b) { b.Creatable(); }

TRichEdit::TRichEdit(TComponent* owner) : TMemo(owner) {}

void TRichEdit::CreateParams(TCreateParams& p) {
    LoadRichEditLibrary();
    TMemo::CreateParams(p);
    p.SysClassName = RICHEDIT_CLASSW;
    // A memo's bars always show; a rich edit would hide them until the text needs them.
    if (p.Style & WS_VSCROLL) p.Style |= ES_DISABLENOSCROLL;
}

// The rich edit reports text changes only when asked to.
void TRichEdit::HandleCreated() {
    TMemo::HandleCreated();
    ::SendMessageW(FHandle, EM_SETEVENTMASK, 0, ENM_CHANGE);
}

}  // namespace qx
