// The main window's design: every control with its place, caption, font and
// colour, as laid out for 96 dpi and a window font whose text is 12 pixels
// high, plus the rule that rescales it for other displays.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/rect.h"
#include "base/scale.h"

namespace plakato {

enum class ControlKind {
  Panel,
  Label,
  Edit,
  CheckBox,
  FlatButton,
  PushButton,
  Image,
  StatusBar,
  CoolBar,
  PageScroller,
  ToolBar,
};

// Every control of the form, in the order of the control table: parents
// before children, and within one parent in tab order.
enum class ControlId {
  FaceStripPanel,
  TitlePanel,
  ScenePanel,
  ExitButton,
  SettingsPanel,
  StatusBar,
  FaceRebar,
  FacePager,
  FaceToolBar,
  AboutLogo,
  TitleLabel,
  MessengerHint,
  PlacardImage,
  SignTextEdit,
  MessengerModeCheck,
  SignTextLabel,
  AccountLabel,
  AccountNumber,
  SetAccountButton,
  FontButton,
  SignColourButton,
  ExportButton,
  Count,
  None = Count,  // as a parent: the form's client area
};

// Character sets as GDI numbers them; kept here so the layout stays free of
// the Windows headers.
inline constexpr int kAnsiCharset = 0;
inline constexpr int kDefaultCharset = 1;
inline constexpr int kGb2312Charset = 134;

struct FontSpec {
  const wchar_t* face;
  int charSet;
  int height;  // character height in pixels, requested as -height
  bool bold;
};

// Colours are 0x00BBGGRR; kNoColor means "take the parent's / the system's".
inline constexpr uint32_t kNoColor = 0xFFFFFFFFu;

enum class Edge { None, SoftBevel };

struct ControlSpec {
  ControlId id;
  const char* name;  // the control's component name, which a creation error names
  ControlKind kind;
  ControlId parent;
  Rect bounds;
  const wchar_t* caption;
  const FontSpec* font;  // nullptr: the window font
  uint32_t textColor;
  uint32_t backColor;
  bool tabStop;
  Edge edge;
};

inline constexpr int kFormClientWidth = 371;
inline constexpr int kFormClientHeight = 327;
inline constexpr int kDesignDpi = kStandardDpi;
inline constexpr int kDesignTextHeight = 12;
inline constexpr int kFirstControlId = 1000;

extern const wchar_t kFormCaption[];
extern const FontSpec kWindowFont;

// All controls, indexed by ControlId, which is also the order in which they
// are created.
const std::vector<ControlSpec>& MainFormControls();
const ControlSpec& DesignOf(ControlId id);

// The WM_COMMAND identifier of a control, and back.
int CommandIdOf(ControlId id);
std::optional<ControlId> ControlOfCommand(int commandId);

// Requested height of a font of `height` pixels at 96 dpi on a display of
// `dpi` dots per inch.
int FontRequestHeight(int height, int dpi);

// Scaling applied when the window font measures `measuredTextHeight` pixels
// instead of the designed 12.
struct LayoutScale {
  int measured = kDesignTextHeight;
  bool active() const { return measured != kDesignTextHeight; }
  int operator()(int value) const;
  // Scales the corner and the size, so a control keeps its scaled size
  // wherever it stands.
  Rect operator()(const Rect& r) const;
};

// The form's client area as laid out by `scale`: the design's width, and
// down to the status bar's bottom, so that the bar docked there ends exactly
// at the client area's edge whatever the rounding.
Rect FormClientRect(const LayoutScale& scale);

}  // namespace plakato
