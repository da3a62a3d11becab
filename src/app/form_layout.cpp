#include "app/form_layout.h"

namespace plakato {

const wchar_t kFormCaption[] = L"Plakato - support@plakato.cn";

const FontSpec kWindowFont{L"宋体", kGb2312Charset, 12, false};

namespace {

const FontSpec kTitleFont{L"隶书", kGb2312Charset, 29, true};
const FontSpec kHintFont{L"宋体", kGb2312Charset, 12, false};
const FontSpec kLogoFont{L"Tahoma", kAnsiCharset, 48, true};

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kGrey = 0x808080;

using K = ControlKind;
using C = ControlId;

const std::vector<ControlSpec> kControls = {
    // The window, in tab order: FaceStripPanel (0), TitlePanel (1), ScenePanel (2), ExitButton (3), SettingsPanel (4).
    {C::FaceStripPanel, "Panel1", K::Panel, C::None, RectOfSize(0, 65, 371, 40), L"Panel1", nullptr, kNoColor, kNoColor, false, Edge::None},
    {C::TitlePanel, "Panel2", K::Panel, C::None, RectOfSize(0, 0, 371, 65), L"", nullptr, kNoColor, kWhite, false, Edge::None},
    {C::ScenePanel, "Panel4", K::Panel, C::None, RectOfSize(0, 105, 371, 120), L"", nullptr, kNoColor, kNoColor, false, Edge::None},
    {C::ExitButton, "btnExit", K::PushButton, C::None, RectOfSize(302, 235, 65, 65), L"退　出", nullptr, kNoColor, kNoColor, false, Edge::None},
    {C::SettingsPanel, "Panel5", K::Panel, C::None, RectOfSize(0, 225, 289, 83), L"", nullptr, kNoColor, kNoColor, false, Edge::None},
    {C::StatusBar, "StatusBar1", K::StatusBar, C::None, RectOfSize(0, 308, 371, 19), L"", nullptr, kNoColor, kNoColor, false, Edge::None},
    // FaceStripPanel
    {C::FaceRebar, "CoolBar1", K::CoolBar, C::FaceStripPanel, RectOfSize(0, 0, 371, 40), L"", nullptr, kNoColor, kNoColor, false, Edge::None},
    {C::FacePager, "PageScroller1", K::PageScroller, C::FaceRebar, RectOfSize(9, 0, 354, 33), L"", nullptr, kNoColor, kNoColor, true, Edge::None},
    {C::FaceToolBar, "ToolBar1", K::ToolBar, C::FacePager, RectOfSize(0, 0, 354, 33), L"", nullptr, kNoColor, kNoColor, false, Edge::None},
    // TitlePanel
    {C::AboutLogo, "Panel3", K::Panel, C::TitlePanel, RectOfSize(300, 5, 67, 57), L"K", &kLogoFont, kNoColor, kNoColor, false, Edge::SoftBevel},
    {C::TitleLabel, "Label1", K::Label, C::TitlePanel, RectOfSize(16, 8, 217, 29), L"Plakato", &kTitleFont, kNoColor, kNoColor, false, Edge::None},
    {C::MessengerHint, "Label4", K::Label, C::TitlePanel, RectOfSize(48, 48, 228, 12), L"导出至qq功能关闭qq后使用，否则可能无效", &kHintFont, kGrey, kNoColor, false, Edge::None},
    // ScenePanel
    {C::PlacardImage, "Image1", K::Image, C::ScenePanel, RectOfSize(0, 0, 371, 120), L"", nullptr, kNoColor, kNoColor, false, Edge::None},
    // SettingsPanel
    {C::SignTextEdit, "edtMessage", K::Edit, C::SettingsPanel, RectOfSize(72, 3, 209, 20), L"", nullptr, kNoColor, kNoColor, true, Edge::None},
    {C::MessengerModeCheck, "CheckBox1", K::CheckBox, C::SettingsPanel, RectOfSize(8, 35, 97, 17), L"导出至QQ表情", nullptr, kNoColor, kNoColor, true, Edge::None},
    {C::SignTextLabel, "Label2", K::Label, C::SettingsPanel, RectOfSize(8, 11, 60, 12), L"文字内容：", nullptr, kNoColor, kNoColor, false, Edge::None},
    {C::AccountLabel, "Label3", K::Label, C::SettingsPanel, RectOfSize(105, 36, 24, 12), L"QQ：", nullptr, kNoColor, kNoColor, false, Edge::None},
    {C::AccountNumber, "labQQ", K::Label, C::SettingsPanel, RectOfSize(128, 36, 6, 12), L"", nullptr, kNoColor, kNoColor, false, Edge::None},
    {C::SetAccountButton, "btnSetQQNum", K::FlatButton, C::SettingsPanel, RectOfSize(208, 29, 73, 22), L"设置QQ号...", nullptr, kNoColor, kNoColor, false, Edge::None},
    {C::FontButton, "SpeedButton1", K::FlatButton, C::SettingsPanel, RectOfSize(0, 57, 81, 22), L"字体设置...", nullptr, kNoColor, kNoColor, false, Edge::None},
    {C::SignColourButton, "SpeedButton2", K::FlatButton, C::SettingsPanel, RectOfSize(88, 57, 89, 22), L"背景色设置...", nullptr, kNoColor, kNoColor, false, Edge::None},
    {C::ExportButton, "SpeedButton3", K::FlatButton, C::SettingsPanel, RectOfSize(208, 57, 73, 22), L"导　出...", nullptr, kNoColor, kNoColor, false, Edge::None},
};

}  // namespace

const std::vector<ControlSpec>& MainFormControls() { return kControls; }

const ControlSpec& DesignOf(ControlId id) { return kControls.at(static_cast<size_t>(id)); }

int CommandIdOf(ControlId id) { return kFirstControlId + static_cast<int>(id); }

std::optional<ControlId> ControlOfCommand(int commandId) {
  int index = commandId - kFirstControlId;
  if (index < 0 || index >= static_cast<int>(ControlId::Count)) return std::nullopt;
  return static_cast<ControlId>(index);
}

int FontRequestHeight(int height, int dpi) {
  int requested = -height;
  return dpi == kDesignDpi ? requested : MulDivRound(requested, dpi, kDesignDpi);
}

int LayoutScale::operator()(int value) const {
  return active() ? MulDivRound(value, measured, kDesignTextHeight) : value;
}

Rect LayoutScale::operator()(const Rect& r) const {
  return RectOfSize((*this)(r.left), (*this)(r.top), (*this)(r.width()), (*this)(r.height()));
}

Rect FormClientRect(const LayoutScale& scale) {
  return {0, 0, scale(kFormClientWidth), scale(DesignOf(ControlId::StatusBar).bounds).bottom};
}

}  // namespace plakato
