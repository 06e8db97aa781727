#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "anim/AniPlayer.h"
#include "app/CanvasTools.h"
#include "app/ClipboardCommands.h"
#include "app/MainState.h"
#include "app/UndoHistory.h"
#include "imaging/TransformView.h"
#include "platform/SettingsStore.h"
#include "ui/QtClipboard.h"
#include "ui/TResourceListView.h"

class QAction;
class QActionGroup;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QBoxLayout;
class QCheckBox;
class QScrollArea;
class QSplitter;
class QSpinBox;
class QTabWidget;
class QToolBar;
class QToolButton;
class QTimer;

namespace vornik {

class TPictureView;
class TResourceListView;
class TfrmIconSelect;
class TfrmAboutBox;
class Tfrmiconcursel;
class TfrmOption;
class THelpViewer;
class TfrmaniEft;
class TScreenCapture;
class Tfrmrotinput;
class Tfrmbmpzoom;
class Tfrmiconchk;
class Tfrmallsave;
class TSwatchGrid;

// The main window. It shows the document and editing state and forwards each
// command to one function of the headless core, then re-reads what changed.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kTitle = kAppTitle;

    // store: where settings, placement and recent files live (not owned).
    explicit TfrmMain(SettingsStore& store, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The command (menu item, tool bar button or panel button) of that name.
    QAction* action(const QString& name) const;
    QWidget* control(const QString& name) const;
    // Enabled state of a command or control by its name.
    bool commandEnabled(const QString& name) const;
    void setCommandEnabled(const QString& name, bool on);

    // Commands that the command line, drops and tests also reach.
    void OpenDocument(const QString& path);
    void DropFiles(const QStringList& paths);

    // Mirrors the core's state into the widgets; list: also refill the lists.
    void refresh(bool lists = false);

    // Writes placement, settings, tool bar and recent files back (FormDestroy).
    void SaveState();

    MainState& state() { return s_; }
    const Settings& settings() const { return s_.settings; }
    THelpViewer* helpViewer();
    void showHelpContext(int helpContext);
    QString panelText(int panel) const;

    // Controls, named as in the rest of the program.
    QTabWidget* PageControl1;
    TResourceListView* LVIcon;
    QGroupBox* pnledit;
    TPictureView* imgxor;
    TPictureView* imgand;
    TPictureView* imgbmp;
    TPictureView* imganiview;
    QScrollArea* ScrollBox1;  // image view
    QScrollArea* ScrollBox2;  // mask view
    QScrollArea* ScrollBox3;  // bitmap page
    QScrollArea* ScrollBoxAni;
    TPictureView* imgpreview1;  // the composed preview at 1:1
    TPictureView* imgpreviewz;  // and at the views' zoom
    QScrollArea* ScrollBoxPreview1;
    QScrollArea* ScrollBoxPreviewZ;
    QToolButton* sbview;
    QToolButton* sbxor;
    QToolButton* sband;
    QButtonGroup* grpselectButtons;
    QComboBox* cmbtype;
    QComboBox* cmbsize;
    QComboBox* cmbcolor;
    QSpinBox* spex;
    QSpinBox* spey;
    QSpinBox* spebx;
    QSpinBox* speby;
    QListWidget* lvani1;
    QListWidget* lvani2;
    QSpinBox* sprate;
    QLineEdit* edttitle;
    QLineEdit* edtcreator;
    QToolButton* sbaniadd;
    QToolButton* sbanidel;
    QToolButton* sbplay;
    QToolButton* sbstop;
    QToolButton* btnanieft;
    QComboBox* cmbanisize;   // which size of the frames the page shows, edits and plays
    QComboBox* cmbanizoom;   // the preview's zoom, 1x to 8x
    QCheckBox* chkanihotspot;
    QToolButton* btnanicolor;
    QLabel* lblratems;       // the rate in milliseconds
    QToolBar* Toolbar971;
    QTimer* Timer1;
    QLabel* StatusPanel[3];
    // The canvas: the image and mask views as the main area, the drawing
    // tools beside them, the pixel's RGBA in the status bar.
    QWidget* grpview;
    QWidget* pnltools;
    QSplitter* splmain;
    QLabel* StatusRgba;

    TfrmIconSelect* frmIconSelect;
    TfrmAboutBox* frmAboutBox;
    Tfrmiconcursel* frmiconcursel;
    TfrmOption* frmOption;
    TfrmaniEft* frmaniEft;
    TScreenCapture* ScreenCapture1;
    Tfrmrotinput* frmrotinput;
    Tfrmbmpzoom* frmbmpzoom;
    Tfrmiconchk* frmiconchk;
    Tfrmallsave* frmallsave;

public slots:
    void New1Click();
    void Open1Click();
    void Exit1Click();
    void view1Click(int tag);
    void tlbar1Click();
    void stbar1Click();
    void mnu_editpanelviewClick();
    void Option1Click();
    void Contents1Click();
    void SearchforHelpOn1Click();
    void HowtoUseHelp1Click();
    void About1Click();
    void PageControl1Change(int page);
    void LVIconDblClick();
    void sbviewClick();
    void sbxorClick();
    void sbandClick();
    void cmbtypeChange();
    void cmbsizeClick();
    void tbbmpgetClick();
    void HistoryMenu1HistorySelected(int index);
    void ScreenCapture1Capture(const QImage& picture);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void FormCreate();
    void buildActions();
    void buildMenus();
    void buildToolBar();
    QWidget* buildEditPanel();
    QWidget* buildIconPage();
    QWidget* buildAnimationPage();
    QWidget* buildBitmapPage();
    void buildStatusBar();
    void buildZoomMenu();
    QWidget* buildPreview(QWidget* parent);
    void refreshPreview();
    // The zoom of the views from the settings' choice ("fit" by the boxes' room).
    void applyZoom();
    void setZoomChoice(int choice);
    void zoomStep(int steps);
    int shownZoom() const;
    void markHotSpot();
    // Shows what a mask stroke changed without refreshing the whole window.
    void showMaskChange(int x, int y, int w, int h);
    void connectCommands();
    void connectEditPanel();
    void connectAnimation();
    void rebuildHistoryMenu();
    void refreshAnimation();
    void registerCoreCommands();
    int execDialog(QDialog* dialog);
    void viewsCommand(const std::function<void(ViewTarget, PictureView&, PictureView&)>& op);
    void imgxorMouseDown(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void sbaniaddClick();
    void sbanidelClick();
    void sbplayClick();
    void sbstopClick();
    void btnanieftClick();
    void mnu_rotimageClick();
    void mnu_bitmapzoomClick();
    void Timer1Timer();
    void lvani1DblClick();
    void setPlaying(bool playing);
    void imgandMouseDown(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void imgandMouseMove(int x, int y);
    void imgandMouseUp(int x, int y);
    void paintMask(int x0, int y0, int x1, int y1);
    void runCommand(const std::function<void()>& command, bool lists = false);
    // A command that may change the given parts (UndoParts), as one undo step.
    void undoable(unsigned parts, const char* label, const std::function<void()>& command,
                  bool lists = false);
    void refreshSteps();
    // The Animation page's lists act on what is selected, never on the item
    // that merely has focus: -1 when nothing is selected.
    int selectedFrame() const;
    int selectedStep() const;
    std::vector<int> selectedFrames() const;
    std::vector<int> selectedSteps() const;
    void moveAniItems(bool frames, int delta);
    void dropAniItems(bool frames, const std::vector<int>& rows, int before);
    void deleteSelectedFrames();
    void showAniPreview(int frame);
    void applyAniZoom();
    void refreshAniSizes();
    void stepSelectionChanged();
    SaveChoice askSaveChanges(const Message& text);
    // The canvas (TfrmMainCanvas.cpp, TfrmMainToolPalette.cpp).
    QWidget* buildCanvas();
    QWidget* buildToolPalette();
    void connectCanvas();
    void restoreLayout();
    void applyDefaultLayout();
    void saveLayout();
    void setTool(CanvasTool tool);
    bool canvasHasFocus() const;
    void canvasPress(CanvasView view, int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void canvasMove(int x, int y, Qt::KeyboardModifiers modifiers);
    void canvasRelease(int x, int y, Qt::KeyboardModifiers modifiers);
    void showCanvasChange(const PixelRect& r);
    void refreshCanvas();
    void refreshToolPalette();
    void chooseColourDialog(bool secondary);
    void canvasCopy(bool cut);
    void canvasPaste();
    void canvasSelectionCommand(const std::function<void()>& command);
    void zoomStepAt(int steps, TPictureView* view, QPoint at);
    void layoutViews();
    QWidget* wrapEditPanel(QWidget* panel);
    void ApplyFlatButtons();
    void applyBackgroundColor();
    void applyResourceTarget(int target);
    void showStatus(int panel, const QString& text);
    void notImplemented(const QString& name);
    void onCommand(const QString& name);

    SettingsStore& store_;
    MainState s_;
    bool mirroring_ = false;  // widgets being set from the state: their signals are ours
    std::string lastStatus_;
    std::vector<ResourceListRow> frameRows_;
    AniPlayer player_;
    QElapsedTimer playClock_;
    std::vector<int> framePick_, stepPick_;  // selections to keep across a refill
    EntryClipboard entryClipboard_;
    QtClipboard clipboard_;
    enum class MaskPaint { None, Opaque, Transparent } maskPaintMode_ = MaskPaint::None;
    QPoint maskPen_;
    std::optional<UndoStep> stroke_;  // the mask before the stroke under way
    QHash<QString, QAction*> actions_;
    QHash<QString, QToolButton*> panelButtons_;
    QHash<QString, std::function<void()>> handlers_;
    QHash<QString, QMenu*> menus_;
    QList<QAction*> historyActions_;
    QActionGroup* viewMenuGroup_ = nullptr;
    QActionGroup* viewToolGroup_ = nullptr;
    THelpViewer* help_ = nullptr;
    bool stateSaved_ = false;
    CanvasTools tools_;
    QBoxLayout* viewsLayout_ = nullptr;
    bool composed_ = false;     // one canvas: the image with its mask as transparency
    bool maskOverlay_ = false;  // in that canvas, transparent pixels tinted
    bool layoutDefault_ = false;  // the splitters follow the window until the user moves one
    QHash<int, QToolButton*> toolButtons_;
    TSwatchGrid* recentGrid_ = nullptr;
    TSwatchGrid* paletteGrid_ = nullptr;
    QToolButton* primarySwatch_ = nullptr;
    QToolButton* secondarySwatch_ = nullptr;
    QLineEdit* hexEdit_ = nullptr;
    QSpinBox* brushSize_ = nullptr;
    QCheckBox* brushRound_ = nullptr;
    QSpinBox* tolerance_ = nullptr;
    QCheckBox* shapeFilled_ = nullptr;
};

}  // namespace vornik
