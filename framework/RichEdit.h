#pragma once
// TRichEdit: a memo over the system's rich edit control (window class "TRichEdit" over
// "RichEdit20W", from riched20.dll). It keeps the memo's lines, scroll bars, word wrap and
// change event.
#include "ListControls.h"

namespace qx {

class TRichEdit : public TMemo {
    QX_CLASS(TRichEdit)
public:
    explicit TRichEdit(TComponent* owner);

protected:
    void CreateParams(TCreateParams& p) override;
    void HandleCreated() override;
};

}  // namespace qx
