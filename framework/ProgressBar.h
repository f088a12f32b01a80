#pragma once
// TProgressBar: the system progress bar ("msctls_progress32", window class "TProgressBar"),
// horizontal or vertical. Style pbstNormal fills the done part as one bar; pbstChunks shows it
// as a row of blocks.
#include "Controls.h"

namespace qx {

enum class TProgressBarOrientation { pbHorizontal, pbVertical };
enum class TProgressBarStyle { pbstNormal, pbstChunks };

class TProgressBar : public TWinControl {
    QX_CLASS(TProgressBar)
public:
    explicit TProgressBar(TComponent* owner);

    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int Position();
    void SetPosition(int v);
    int Step() const { return FStep; }
    void SetStep(int v);
    void StepIt();
    TProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TProgressBarOrientation v);
    TProgressBarStyle Style() const { return FStyle; }
    void SetStyle(TProgressBarStyle v);

protected:
    void CreateParams(TCreateParams& p) override;
    void HandleCreated() override;

private:
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FStep = 10;
    TProgressBarOrientation FOrientation = TProgressBarOrientation::pbHorizontal;
    TProgressBarStyle FStyle = TProgressBarStyle::pbstNormal;
};

}  // namespace qx
