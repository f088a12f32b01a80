// TSkinTabSheet: a page of a page control takes the skin's face colour: its background and
// its painting are the wrapper's (the page's labels drawn on top).
#pragma once

#include "skin/controls/SkinControl.h"

class TSkinTabSheet : public TSkinControl {
    QX_CLASS(TSkinTabSheet)
public:
    explicit TSkinTabSheet(qx::TComponent* owner);

    bool BeforeMessage(qx::TMessage& m) override;
    void Paint(HDC dc, const RECT& r) override;
};
