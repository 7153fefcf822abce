#pragma once
// The performance graph window (TGraphForm) and its drawing surface.
#include "core/analysis/GraphDrawing.h"
#include "gui/shell/MenuMerging.h"

#include <QColor>
#include <QMdiSubWindow>

class AppState;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;
class QToolButton;
class ShellCommands;

// Colours as the settings file keeps them: blue x 65536 + green x 256 + red,
// or a system colour when the top byte is 255 (-16777201 is button faces).
QColor ColourFromSetting(int value);
int SettingFromColour(const QColor &colour);
// The four graph colours of the settings: background, economy, average, price.
QColor GraphColour(const AppState &state, int index);

// The drawing surface of the graph: paints the drawing it is given.
class GraphSurface : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    void SetDrawing(const GraphDrawing &drawing, const QColor colours[4]);
    const GraphDrawing &Drawing() const { return drawing; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    GraphDrawing drawing;
    QColor colours[4];
};

// The performance graph: economy, average economy and fuel price against
// time over the graph range, opened from an analysis window.
class TGraphForm : public QMdiSubWindow, public MenuMerging {
    Q_OBJECT
public:
    static const int MinZoom = 300, MaxZoom = 19200;

    TGraphForm(AppState &state, ShellCommands &shell);

    // Sets the shared graph range and the vehicle name, and draws.
    void start(int startOffset, int finishOffset, const QString &reg);
    // Works the drawing out again (a change of range, log, size or switch).
    void GraphChangeClick();
    void ShowKeyClick();
    void ColourClick(int index);
    void DefaultsCols();
    void Gridlines1Click();
    // 0 "100%", 1 "50%", 2 "25%", 3 "Screen", 4 "Window".
    void ZoomClick(int choice);
    void ToolButton6Click(); // zoom in
    void ToolButton7Click(); // zoom out
    void CloseGraphClick();
    void Print1Click();
    void DrawKey();

    int DrawingWidth() const { return drawingWidth; }
    const GraphDrawing &Drawing() const;
    QString VehicleName;

    QMenu *FileMenu = nullptr, *GraphMainMenu = nullptr;
    QList<MergedMenu> MenusToMerge() const override;
    QToolBar *ToolBar1 = nullptr;
    QToolButton *GraphDPULine = nullptr, *GraphADPULine = nullptr, *GraphPriceLine = nullptr, *GridLines = nullptr,
                *ShowKey = nullptr, *ToolButton6 = nullptr, *ToolButton7 = nullptr;
    QScrollArea *ScrollBox = nullptr;
    GraphSurface *GraphArea = nullptr;
    QFrame *Key = nullptr;
    QLabel *Keyimage = nullptr;
    QMenu *GraphMenu = nullptr;
    QAction *KeyVisible1 = nullptr, *Gridlines1 = nullptr, *Gridlines2 = nullptr;

signals:
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showColours();
    void addColourMenu(QMenu *menu);
    void addZoomMenu(QMenu *menu);
    void setDrawingWidth(int width);
    void offerInsufficientMessage();
    AppState &state;
    ShellCommands &shell;
    int drawingWidth = 2400;
    QColor background;
    bool messageDue = false;  // the data changed since the message was last offered
    bool closingDown = false;
};
