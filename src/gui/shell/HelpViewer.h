#pragma once
#include <QObject>
#include <QString>
#include <QUrl>
#include <memory>

class QMainWindow;
class QTextBrowser;
class QWidget;
class Platform;

// The user guide's window: the page of a topic or the contents, with Back,
// Forward and Contents. One window for the run, shown again when asked.
class HelpViewer {
public:
    HelpViewer();
    ~HelpViewer();
    void ShowTopic(int topic);
    void ShowContents();
    // The help window once it has been shown, else null.
    QWidget *Window() const;
    QTextBrowser *Browser() const { return browser; }

    // The page of a topic; the contents for a topic the guide does not know.
    static QUrl TopicUrl(int topic);
    static QUrl ContentsUrl();

private:
    // Gives the window back to the application when the dialog it was
    // opened from is hidden.
    class Returner : public QObject {
    public:
        explicit Returner(HelpViewer &v) : viewer(v) {}
        bool eventFilter(QObject *watched, QEvent *event) override;

    private:
        HelpViewer &viewer;
    };
    void show(const QUrl &page);
    std::unique_ptr<Returner> returner;
    std::unique_ptr<QMainWindow> window;
    QTextBrowser *browser = nullptr;
};

// F1 anywhere in the program: the help topic of the focused control or the
// nearest window around it that has one, else the contents.
class ContextHelp : public QObject {
public:
    explicit ContextHelp(Platform &platform, QObject *parent = nullptr);
    // The topic F1 asks for from a widget; 0 when none is set around it.
    static int TopicFor(const QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Platform &platform;
};
