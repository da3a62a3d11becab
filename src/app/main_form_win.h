// Form1: the program's one window, with its controls, its start-up steps and
// its event handlers.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/form_layout.h"
#include "app/ui_host_win.h"
#include "base/handles_win.h"
#include "messenger/line_buffer.h"
#include "scene/image_list_win.h"
#include "scene/placard_scene.h"

namespace plakato {

class SceneSurface;

// The steps of FormCreate, in the order they run.
enum class StartupStep {
  FigureButtons,
  SceneFontBold,
  SignColour,
  FontDialogPrimed,
  SceneFields,
  FirstRender,
  MessengerFolder,
};

struct FormOptions {
  UiHost* ui = nullptr;                     // nullptr: the system's boxes
  const FontSpec* windowFont = nullptr;     // nullptr: the designed window font
  bool quitOnClose = true;                  // post WM_QUIT when the window goes
  // Called before each start-up step; a test may record the order or throw.
  std::function<void(StartupStep)> beforeStartupStep;
};

class TForm1 {
 public:
  explicit TForm1(FormOptions options = {});
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;
  ~TForm1();

  // Builds the hidden window, centred on the screen, with all controls, and
  // runs FormCreate.
  void Create();
  void Show();

  HWND handle() const { return window_; }
  HWND Control(std::string_view name) const;
  const std::wstring& applicationTitle() const { return applicationTitle_; }
  int measuredTextHeight() const { return scale_.measured; }
  const std::vector<StartupStep>& completedStartupSteps() const { return completedSteps_; }
  const SceneSurface* scene() const { return canvas_.get(); }
  const PlacardScene& placard() const { return scene_; }
  const FontChoice& fontDialogFont() const { return FontDialog1; }
  COLORREF signColour() const { return ColorDialog1.color; }

  // Runs an event handler the way the message loop does: an error that
  // escapes it is shown in the error box, and the program goes on.
  template <typename Handler>
  void RunHandler(Handler&& handler) {
    try {
      handler();
    } catch (...) {
      ShowCurrentError();
    }
  }

  // Event handlers.
  void FormCreate();
  void ToolButtonClick(HWND toolBar, int commandId);
  void Panel3Click();
  void edtMessageChange();
  void SpeedButton1Click();
  void SpeedButton2Click();
  void btnSetQQNumClick();
  void CheckBox1Click();
  void Button2Click();

  // The messenger account, for tests.
  const std::wstring& qqInstallDir() const { return FQQInstallDir; }
  const std::wstring& panelDir() const { return FPanelDir; }
  const std::wstring& faceIndexPath() const { return FFaceIndexPath; }
  const std::wstring& faceId() const { return FFaceId; }
  const std::wstring& savedPictureName() const { return SavePictureDialog1; }
  void btnExitClick();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code, HWND control);
  LRESULT OnControlColour(HDC dc, HWND control);
  void OnActivate(bool active);

  void MeasureWindowFont();
  void CreateControls();
  HWND CreateControl(size_t index);
  HFONT FontFor(const ControlSpec& design);
  void ShowErrorBox(const std::wstring& message);
  // Shows the exception being handled in the error box.
  void ShowCurrentError();
  void RunStartupStep(StartupStep step, const std::function<void()>& body);
  SceneSurface& SceneCanvas();
  void RenderScene();
  void CreateFigureButtons(HWND toolBar);
  // Sets a label's text and sizes it to the text, as at creation.
  void SetLabelText(std::string_view name, const std::wstring& text);
  std::wstring ReadQQInstallDir();
  void ReadMessengerFolder();
  void SetCheckBox1(bool ticked);
  void SetStatusText(const std::wstring& text);
  // The messenger branch of an export: the picture just written as
  // tempfile.jpg named by its identifier, its thumbnail, its index entry.
  void StoreEmoticon(const std::vector<uint8_t>& jpeg);
  void UpdateFaceIndex();
  LRESULT OnNotify(NMHDR* header);

  FormOptions options_;
  UiHost& ui_;
  HWND window_ = nullptr;
  std::vector<HWND> controls_;  // parallel to MainFormControls()
  std::wstring applicationTitle_;
  LayoutScale scale_;
  int dpi_ = kDesignDpi;
  UniqueFont windowFont_;
  std::vector<UniqueFont> ownFonts_;  // fonts of controls that have their own
  UniqueBrush whiteBrush_;
  HWND lastFocus_ = nullptr;
  std::vector<StartupStep> completedSteps_;
  std::unique_ptr<SceneSurface> canvas_;  // Image1's drawing surface, made on first use

  // Components without a place on screen.
  ImageList ImageList1{FaceArtwork()};
  ImageList ImageList2{PieceArtwork()};
  UniqueImageList systemFaces_;  // for the tool bar
  std::unique_ptr<MaskedStrip> faceStrip_;   // for the scene
  std::unique_ptr<MaskedStrip> pieceStrip_;
  FontChoice FontDialog1;
  ColourChoice ColorDialog1;
  std::wstring SavePictureDialog1;  // the name of its last confirmed use
  LineBuffer Memo1;                 // face.xml between loading and saving

  // Scene fields (FCenterX ... FMessage) and the drawing steps.
  PlacardScene scene_;
  // Messenger fields.
  std::wstring FQQInstallDir;
  std::wstring FPanelDir;
  std::wstring FFaceIndexPath;
  std::wstring FFaceId;
};

// Runs the window's message loop until it is closed; keyboard navigation
// (Tab between the controls) works as in a dialog.
int RunMessageLoop(HWND form);

}  // namespace plakato
