// Containers skinned by colour.
//  - TSkinBox: a panel-like framework container takes the skin's ButtonFace as its Color (and
//    stops painting its parent's background) until it is detached; it keeps drawing itself and
//    hooks no messages. Its child controls are classified on their own.
//  - TSkinBoxH: a raw child dialog window (a dialog page inside another window) gets the skin's
//    background, for itself and for its static texts.
#pragma once

#include "skin/controls/SkinControl.h"

class TSkinBox : public TSkinControl {
    QX_CLASS(TSkinBox)
public:
    explicit TSkinBox(qx::TComponent* owner);

    // Registers with the form and recolours; the control's WindowProc is left alone and the
    // state stays 0 (created).
    void Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) override;
    // Gives back the former Color and ParentBackground, exactly as they were; state 2.
    void Detach() override;
    void AfterMessage(qx::TMessage& m) override;
    // A tool bar's box: the custom-draw handlers the form gave the bar go with it.
    void ReleaseToolbarHandlers() override;
};

class TSkinBoxH : public TSkinControl {
    QX_CLASS(TSkinBoxH)
public:
    explicit TSkinBoxH(qx::TComponent* owner);

    bool BeforeMessage(qx::TMessage& m) override;
};
