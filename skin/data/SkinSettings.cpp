#include "skin/data/SkinSettings.h"

#include <array>

namespace skin {

void WriteSkin3rd(std::span<const TSkin3rdGroup> groups, ui::TStrings& lines)
{
    lines.Clear();
    for (const TSkin3rdGroup& group : groups)
        for (const wchar_t* name : group.Classes) lines.Add(std::wstring(name) + L"=" + group.Kind);
}

void DefaultSkin3rd(ui::TStrings& lines)
{
    // The group-box lines come before the panel lines: a class listed under both (the
    // first line wins) is served as a group box.
    static const TSkin3rdGroup groups[] = {
        {L"scrollbar",
         {L"TCategoryButtons", L"TVirtualStringTree", L"TVirtualDrawTree", L"TAdvPanelGroup", L"THTMLViewer",
          L"TDBCtrlGrid", L"TImageEnMView", L"TImageEnView", L"TAdvMemo", L"TDBAdvMemo"}},
        {L"pngspeedbutton", {L"TPngSpeedbutton"}},
        {L"pngbitbtn", {L"TPngBitBtn"}},
        {L"Groupbox", {L"TLMDGroupBox", L"TcxGroupbox"}},
        {L"Panel",
         {L"TTBXDockablePanel", L"TControlBar", L"TTBDock", L"TTBToolbar", L"TKtGroup", L"TLMDCalculator",
          L"TLMDGROUPBOX", L"TLMDSIMPLEPANEL", L"TLMDDBCalendar", L"TLMDButtonPanel", L"TLMDLMDCalculator",
          L"TLMDHeaderPanel", L"TLMDTechnicalLine", L"TLMDLMDClock", L"TLMDTrackbar"}},
        {L"Combobox",
         {L"TComboboxex", L"TcxDBLookupComboBox", L"TcxDBComboBox", L"TcxDBDateEdit", L"TcxDBImageComboBox",
          L"TcxDBCalcEdit", L"TcxDBBlobEdit", L"TcxDBPopupEdit", L"TcxDBFontNameComboBox", L"TcxDBShellComboBox",
          L"TRxLookupEdit", L"TRxDBLookupCombo", L"TKtDateTimeEdit", L"TKtColorEdit", L"TKtDateTimePicker",
          L"TKtDBDateTimeEdit", L"TKtDbColorEdit", L"TKtDBDateTimePicker", L"TLMDListCombobox",
          L"TLMDCheckListCombobox", L"TLMDHeaderListCombobox", L"TLMDImageCombobox", L"TLMDColorCombobox",
          L"TLMDFontCombobox", L"TLMDFontSizeCombobox", L"TLMDFontSizeCombobox", L"TLMDPrinterCombobox",
          L"TLMDDriveCombobox", L"TLMDCalculatorComboBox", L"TLMDTrackBarComboBox", L"TLMDCalendarComboBox",
          L"TLMDTreeComboBox", L"TDBLookupCombobox", L"TWWDBCombobox", L"TWWDBCombobox", L"TWWDBLookupCombo",
          L"TWWKeyCombo", L"TWWTempKeyCombo", L"TWWDBDateTimePicker"}},
        {L"speedbutton", {L"TRxSpeedButton", L"TfrSpeedButton", L"TfrTBButton"}},
        {L"button", {L"TKtButton"}},
        {L"bitbtn", {L"TKtBitbtn", L"TLMDButton", L"TcxButton"}},
        {L"menubtn", {L"TKtMenuButton"}},
        {L"CheckGroup", {L"TKtCheckGroup", L"TLMDCheckGroup", L"TLMDDBCheckGroup"}},
        {L"Radiogroup",
         {L"TKtRadioGroup", L"TKtDBRadioGroup", L"TLMDRADIOGROUP", L"TLMDDBRADIOGROUP", L"TWWRADIOGROUP",
          L"TcxDBRadioGroup", L"TcxRadioGroup"}},
        {L"Edit",
         {L"TKtButtonEdit", L"TLMDCalculatorEdit", L"TLMDEDIT", L"TLMDMASKEDIT", L"TLMDBROWSEEDIT",
          L"TLMDEXTSPINEDIT", L"TLMDCALENDAREDIT", L"TLMDFILEOPENEDIT", L"TLMDFILESAVEEDIT", L"TLMDCOLOREDIT",
          L"TLMDDBEDIT", L"TLMDDBMASKEDIT", L"TLMDDBEXTSPINEDIT", L"TLMDDBSPINEDIT", L"TLMDDBEDITDBLookup",
          L"TLMDEDITDBLookup", L"TWWDBEDIT", L"TOVCPICTUREFIELD", L"TOVCDBPICTUREFIELD", L"TOVCSLIDEREDIT",
          L"TOVCDBSLIDEREDIT", L"TOVCSIMPLEFIELD", L"TOVCDBSIMPLEFIELD", L"TO32DBFLEXEDIT", L"TOVCNUMERICFIELD",
          L"TOVCDBNUMERICFIELD"}},
        {L"Radiobutton", {L"TKtDBRadioButton", L"TLMDRadiobutton"}},
        {L"Checkbox", {L"TDBCheckboxEh", L"TDBCheckboxEh", L"TLMDCHECKBOX", L"TLMDDBCHECKBOX"}},
    };
    WriteSkin3rd(groups, lines);
}

bool DefaultFormSkinDecision(std::wstring_view className, TSkinControlTypes controls, bool doSkin)
{
    if (className == L"SysMonthCal32") return false;
    if (controls.Contains(TSkinControlType::xcFastReport) && className.starts_with(L"Tfr")) return false;
    return doSkin;
}

bool ReadSkinStream(ui::TStream& stream, TBytes& package)
{
    std::array<std::uint8_t, 4> word{};
    stream.ReadBuffer(word.data(), word.size());
    const auto n = static_cast<std::int32_t>(static_cast<std::uint32_t>(word[0]) | (static_cast<std::uint32_t>(word[1]) << 8) |
                                             (static_cast<std::uint32_t>(word[2]) << 16) |
                                             (static_cast<std::uint32_t>(word[3]) << 24));
    if (n <= 0) return false;
    // A damaged length must not make us reserve gigabytes before the read fails.
    if (n > stream.Size() - stream.Position()) throw ui::EReadError(L"Stream read error");
    TBytes bytes(static_cast<std::size_t>(n));
    stream.ReadBuffer(bytes.data(), bytes.size());
    package = std::move(bytes);
    return true;
}

void WriteSkinStream(ui::TStream& stream, const TBytes& package)
{
    const auto n = static_cast<std::uint32_t>(package.size());
    const std::array<std::uint8_t, 4> word{static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                                           static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
    stream.WriteBuffer(word.data(), word.size());
    stream.WriteBuffer(package.data(), package.size());
}

}  // namespace skin
