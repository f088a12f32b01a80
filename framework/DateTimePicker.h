#pragma once
// TDateTimePicker: the system date and time picker ("SysDateTimePick32", window class
// "TDateTimePicker"). Kind chooses a date or a time; DateMode shows a date with a drop-down
// calendar or with up-down arrows. DateTime is read and written as "yyyy-mm-dd hh:mm:ss".
#include "Controls.h"

namespace qx {

enum class TDateTimeKind { dtkDate, dtkTime };
enum class TDTDateMode { dmComboBox, dmUpDown };
enum class TDTDateFormat { dfShort, dfLong };

class TDateTimePicker : public TWinControl {
    QX_CLASS(TDateTimePicker)
public:
    explicit TDateTimePicker(TComponent* owner);

    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind v);
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode v);
    TDTDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat v);
    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool v);
    // Without ShowCheckbox always true; with it, whether the box is ticked.
    bool Checked();
    void SetChecked(bool v);
    SYSTEMTIME DateTime();
    void SetDateTime(const SYSTEMTIME& v);
    // "yyyy-mm-dd hh:mm:ss"; a text that is no valid moment is ignored.
    std::wstring DateTimeText();
    void SetDateTimeText(const std::wstring& v);
    void WndProc(TMessage& m) override;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& p) override;
    void HandleCreated() override;
    void DestroyWnd() override;

private:
    void Restyle();

    TDateTimeKind FKind = TDateTimeKind::dtkDate;
    TDTDateMode FDateMode = TDTDateMode::dmComboBox;
    TDTDateFormat FDateFormat = TDTDateFormat::dfShort;
    bool FShowCheckbox = false;
    bool FChecked = true;
    SYSTEMTIME FDateTime{};
};

}  // namespace qx
