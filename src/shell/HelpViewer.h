#pragma once
#include <QString>
#include <memory>

class QDialog;
class QWidget;
class QTextBrowser;

// The help system behind the topic numbers: a small window of its own that
// shows the page of a topic, or the contents.
class HelpViewer {
public:
    HelpViewer();
    ~HelpViewer();
    void ShowTopic(int topic);
    void ShowContents();
    // The help window once it has been shown, else null.
    QWidget *Window() const;

    static QString TopicTitle(int topic); // empty for an unknown topic
    static QString ContentsHtml();
    static QString TopicHtml(int topic);

private:
    void show(const QString &html);
    std::unique_ptr<QDialog> window;
    QTextBrowser *browser = nullptr;
};
