#include "app/MainFormSkin.h"

namespace app {

void MainFormSkin3rd(ui::TStrings& lines)
{
    // The built-in table without most of its scroll-bar lines, the png, Rx, fr and cx lines,
    // the Kt bit-button, menu-button, group and date or colour editor lines and the LMD
    // button, group box, calculator and tree combo lines; with the DX editors and the Kt check
    // and radio buttons added, and the LMD track bar served as a track bar, not a panel.
    static const skin::TSkin3rdGroup groups[] = {
        {L"scrollbar", {L"TImageEnMView", L"TImageEnView"}},
        {L"Panel",
         {L"TTBDock", L"TTBToolbar", L"TLMDGROUPBOX", L"TLMDSIMPLEPANEL", L"TLMDDBCalendar", L"TLMDButtonPanel",
          L"TLMDLMDCalculator", L"TLMDHeaderPanel", L"TLMDTechnicalLine", L"TLMDLMDClock"}},
        {L"trackbar", {L"TLMDTrackbar"}},
        {L"Combobox",
         {L"TComboboxex", L"TLMDListCombobox", L"TLMDCheckListCombobox", L"TLMDHeaderListCombobox",
          L"TLMDImageCombobox", L"TLMDColorCombobox", L"TLMDFontCombobox", L"TLMDFontSizeCombobox",
          L"TLMDFontSizeCombobox", L"TLMDPrinterCombobox", L"TLMDDriveCombobox", L"TLMDTrackBarComboBox",
          L"TLMDCalendarComboBox", L"TDBLookupCombobox", L"TWWDBCombobox", L"TWWDBCombobox", L"TWWDBLookupCombo",
          L"TWWKeyCombo", L"TWWTempKeyCombo", L"TWWDBDateTimePicker", L"TDXDBPICKEDIT", L"TDXDBCALCEDIT",
          L"TDXDBIMAGEEDIT", L"TDXDBPOPUPEDIT", L"TDXDBEXTLOOKUPEDIT", L"TDXDBLOOKUPEDIT", L"TDXDBDATEEDIT",
          L"TDXDATEEDIT", L"TDXPICKEDIT", L"TDXPOPUPEDIT"}},
        {L"button", {L"TKtButton"}},
        {L"CheckGroup", {L"TKtCheckGroup", L"TLMDCheckGroup", L"TLMDDBCheckGroup"}},
        {L"Radiogroup", {L"TKtRadioGroup", L"TKtDBRadioGroup", L"TLMDRADIOGROUP", L"TLMDDBRADIOGROUP", L"TWWRADIOGROUP"}},
        {L"Edit",
         {L"TKtButtonEdit", L"TLMDEDIT", L"TLMDMASKEDIT", L"TLMDBROWSEEDIT", L"TLMDEXTSPINEDIT", L"TLMDCALENDAREDIT",
          L"TLMDFILEOPENEDIT", L"TLMDFILESAVEEDIT", L"TLMDCOLOREDIT", L"TLMDDBEDIT", L"TLMDDBMASKEDIT",
          L"TLMDDBEXTSPINEDIT", L"TLMDDBSPINEDIT", L"TLMDDBEDITDBLookup", L"TLMDEDITDBLookup", L"TWWDBEDIT",
          L"TOVCPICTUREFIELD", L"TOVCDBPICTUREFIELD", L"TOVCSLIDEREDIT", L"TOVCDBSLIDEREDIT", L"TOVCSIMPLEFIELD",
          L"TOVCDBSIMPLEFIELD", L"TO32DBFLEXEDIT", L"TOVCNUMERICFIELD", L"TOVCDBNUMERICFIELD", L"TDXDBCURRENCYEDIT",
          L"TDXDBEDIT", L"TDXDBMASKEDIT", L"TDXDBHYPERLINKEDIT", L"TDXEDIT", L"TDXMASKEDIT", L"TDXBUTTONEDIT",
          L"TDXCURRENCYEDIT", L"TDXHYPERLINKEDIT"}},
        {L"Radiobutton", {L"TKtDBRadioButton", L"TLMDRadiobutton", L"TKtRadioButton"}},
        {L"Checkbox",
         {L"TDBCheckboxEh", L"TDBCheckboxEh", L"TLMDCHECKBOX", L"TLMDDBCHECKBOX", L"TKtCheckBox", L"TKtDBCheckBox"}},
    };
    skin::WriteSkin3rd(groups, lines);
}

void StoreSkinData1(skin::TSkinData& skin)
{
    using enum skin::TSkinControlType;
    using enum skin::TSkinOption;
    skin.SetActive(true);
    skin.DisableTag = 99;
    skin.SkinControls = {xcMainMenu,  xcPopupMenu, xcMenuItem, xcToolbar,  xcControlbar,  xcCombo,   xcCheckBox,
                         xcRadioButton, xcProgress, xcScrollbar, xcEdit,   xcButton,      xcBitBtn,  xcSpeedButton,
                         xcPanel,     xcGroupBox,  xcStatusBar, xcTab,     xcTrackBar,    xcSystemMenu};
    skin.Options = {xoPreview, xoToolbarBK, xoCaptionButtonHint};
    ui::TStringList classes;
    MainFormSkin3rd(classes);
    skin.SetSkin3rd(classes);
    skin.SkinFormtype = skin::TSkinFormType::sfMainform;
    skin.MenuUpdate = true;
    skin.MenuMerge = false;
    skin.ReadSkinResource(GetModuleHandleW(nullptr), L"SKINSTREAM");
}

}  // namespace app
