#pragma once

#include <QWidget>
#include <vector>

#include "platform/qt/help_guide.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

namespace veldra {

// The help window: a page of the user's guide beside the guide's contents and its index
// of topics, with Back and Forward through the pages seen. It is drawn by the program
// itself, so it works on any desktop, a VNC display included, and has a Close button of
// its own for a desktop that draws no title bars.
class frmHelp final : public QWidget {
    Q_OBJECT

public:
    explicit frmHelp(HelpGuide guide);

    // The contents page, with the contents list in front.
    void ShowContents();
    // The page of a topic; the contents when the guide has no such page.
    void ShowTopic(HelpTopic topic);
    // The topic of the page shown; None on the contents page.
    HelpTopic ShownTopic() const;
    const HelpGuide& Guide() const { return guide_; }

private:
    QWidget* BuildContents();
    QWidget* BuildIndex();
    void ShowFile(const QString& file);
    void PageShown(const QUrl& source);
    void IndexTyped(const QString& text);
    void OpenIndexEntry(const QListWidgetItem* item);

    HelpGuide guide_;
    QTextBrowser* txtTopic_ = nullptr;
    QTabWidget* tabHelp_ = nullptr;
    QTreeWidget* tvwContents_ = nullptr;
    QLineEdit* txtIndex_ = nullptr;
    QListWidget* lstIndex_ = nullptr;
    QPushButton* cmdBack_ = nullptr;
    QPushButton* cmdForward_ = nullptr;
    bool syncing_ = false;
};

}  // namespace veldra
