#include "platform/qt/frmHelp.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHash>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace veldra {
namespace {

constexpr int kFileRole = Qt::UserRole;

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QString SameFile(const QString& file) {
    return QFileInfo(file).absoluteFilePath();
}

}  // namespace

frmHelp::frmHelp(HelpGuide guide) : QWidget(nullptr, Qt::Window), guide_(std::move(guide)) {
    setObjectName("frmHelp");
    setAttribute(Qt::WA_DeleteOnClose);
    const QString title = guide_.Title().isEmpty() ? QString("Veldra Help") : guide_.Title();
    setWindowTitle(title);

    auto* outer = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    QPushButton* contents = Button("Contents", "cmdContents", this);
    cmdBack_ = Button("Back", "cmdBack", this);
    cmdForward_ = Button("Forward", "cmdForward", this);
    QPushButton* close = Button("Close", "cmdClose", this);
    cmdBack_->setEnabled(false);
    cmdForward_->setEnabled(false);
    buttons->addWidget(contents);
    buttons->addWidget(cmdBack_);
    buttons->addWidget(cmdForward_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    outer->addLayout(buttons);

    txtTopic_ = new QTextBrowser(this);
    txtTopic_->setObjectName("txtTopic");
    txtTopic_->setOpenExternalLinks(false);
    txtTopic_->setSearchPaths({QFileInfo(guide_.ContentsFile()).absolutePath()});
    tabHelp_ = new QTabWidget(this);
    tabHelp_->setObjectName("tabHelp");
    tabHelp_->addTab(BuildContents(), "Contents");
    tabHelp_->addTab(BuildIndex(), "Index");
    // The index is chosen to look a word up: what the user types next replaces the word in
    // its field.
    connect(tabHelp_, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tabHelp_->widget(tab) == txtIndex_->parentWidget()) {
            txtIndex_->setFocus(Qt::TabFocusReason);
            txtIndex_->selectAll();
        }
    });
    auto* split = new QSplitter(this);
    split->addWidget(tabHelp_);
    split->addWidget(txtTopic_);
    split->setStretchFactor(1, 1);
    outer->addWidget(split, 1);

    connect(contents, &QPushButton::clicked, this, [this] { ShowContents(); });
    connect(cmdBack_, &QPushButton::clicked, txtTopic_, &QTextBrowser::backward);
    connect(cmdForward_, &QPushButton::clicked, txtTopic_, &QTextBrowser::forward);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(txtTopic_, &QTextBrowser::backwardAvailable, cmdBack_, &QPushButton::setEnabled);
    connect(txtTopic_, &QTextBrowser::forwardAvailable, cmdForward_, &QPushButton::setEnabled);
    connect(txtTopic_, &QTextBrowser::sourceChanged, this, &frmHelp::PageShown);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    auto* back = new QShortcut(QKeySequence::Back, this);
    connect(back, &QShortcut::activated, txtTopic_, &QTextBrowser::backward);
    auto* forward = new QShortcut(QKeySequence::Forward, this);
    connect(forward, &QShortcut::activated, txtTopic_, &QTextBrowser::forward);

    // Beside whatever it explains, and whole on a small screen.
    QSize size(900, 640);
    if (const QScreen* shown = screen()) {
        const QRect space = shown->availableGeometry();
        size = size.boundedTo(space.size() * 9 / 10);
        move(space.right() - size.width() - space.width() / 40, space.top() + space.height() / 20);
    }
    resize(size);
    split->setSizes({size.width() / 3, size.width() * 2 / 3});
}

QWidget* frmHelp::BuildContents() {
    tvwContents_ = new QTreeWidget(this);
    tvwContents_->setObjectName("tvwContents");
    tvwContents_->setHeaderHidden(true);
    tvwContents_->setColumnCount(1);
    for (const HelpGuide::Section& section : guide_.Sections()) {
        QTreeWidgetItem* parent = nullptr;
        if (!section.heading.isEmpty()) {
            parent = new QTreeWidgetItem(tvwContents_, {section.heading});
            parent->setFlags(Qt::ItemIsEnabled);
        }
        for (const std::size_t index : section.pages) {
            const HelpGuide::Page& page = guide_.Pages()[index];
            auto* item = parent != nullptr ? new QTreeWidgetItem(parent, {page.title})
                                           : new QTreeWidgetItem(tvwContents_, {page.title});
            item->setData(0, kFileRole, page.file);
        }
    }
    tvwContents_->expandAll();
    const auto open = [this](const QTreeWidgetItem* item) {
        if (item != nullptr && !syncing_) {
            if (const QString file = item->data(0, kFileRole).toString(); !file.isEmpty()) {
                ShowFile(file);
            }
        }
    };
    connect(tvwContents_, &QTreeWidget::itemClicked, this, open);
    connect(tvwContents_, &QTreeWidget::itemActivated, this, open);
    return tvwContents_;
}

QWidget* frmHelp::BuildIndex() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* prompt = new QLabel("Type the first letters of the word you are looking for:", page);
    prompt->setWordWrap(true);
    txtIndex_ = new QLineEdit(page);
    txtIndex_->setObjectName("txtIndex");
    lstIndex_ = new QListWidget(page);
    lstIndex_->setObjectName("lstIndex");
    layout->addWidget(prompt);
    layout->addWidget(txtIndex_);
    layout->addWidget(lstIndex_, 1);

    const std::vector<HelpGuide::IndexEntry> index = guide_.Index();
    // A word that several pages share names its page on each line.
    QHash<QString, int> uses;
    for (const HelpGuide::IndexEntry& entry : index) {
        ++uses[entry.keyword.toCaseFolded()];
    }
    for (const HelpGuide::IndexEntry& entry : index) {
        const HelpGuide::Page& shown = guide_.Pages()[entry.page];
        const QString text = uses[entry.keyword.toCaseFolded()] > 1
                                 ? QString("%1 (%2)").arg(entry.keyword, shown.title)
                                 : entry.keyword;
        auto* item = new QListWidgetItem(text, lstIndex_);
        item->setData(kFileRole, shown.file);
    }
    connect(txtIndex_, &QLineEdit::textEdited, this, &frmHelp::IndexTyped);
    connect(txtIndex_, &QLineEdit::returnPressed, this,
            [this] { OpenIndexEntry(lstIndex_->currentItem()); });
    connect(lstIndex_, &QListWidget::itemClicked, this, &frmHelp::OpenIndexEntry);
    connect(lstIndex_, &QListWidget::itemActivated, this, &frmHelp::OpenIndexEntry);
    return page;
}

void frmHelp::ShowContents() {
    tabHelp_->setCurrentIndex(0);
    ShowFile(guide_.ContentsFile());
}

void frmHelp::ShowTopic(HelpTopic topic) {
    if (const HelpGuide::Page* page = guide_.FindTopic(topic)) {
        ShowFile(page->file);
    } else {
        ShowContents();
    }
}

HelpTopic frmHelp::ShownTopic() const {
    const HelpGuide::Page* page = guide_.FindFile(txtTopic_->source().toLocalFile());
    return page != nullptr ? page->topic : HelpTopic::None;
}

void frmHelp::ShowFile(const QString& file) {
    txtTopic_->setSource(QUrl::fromLocalFile(SameFile(file)));
}

void frmHelp::PageShown(const QUrl& source) {
    const QString file = SameFile(source.toLocalFile());
    const HelpGuide::Page* page = guide_.FindFile(file);
    const QString title = guide_.Title().isEmpty() ? QString("Veldra Help") : guide_.Title();
    setWindowTitle(page != nullptr ? QString("%1 - %2").arg(title, page->title) : title);

    // The contents follow the page, wherever it was reached from.
    syncing_ = true;
    tvwContents_->clearSelection();
    for (QTreeWidgetItemIterator item(tvwContents_); *item != nullptr; ++item) {
        if ((*item)->data(0, kFileRole).toString() == file) {
            tvwContents_->setCurrentItem(*item);
            tvwContents_->scrollToItem(*item);
            break;
        }
    }
    syncing_ = false;
}

void frmHelp::IndexTyped(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    for (int row = 0; row < lstIndex_->count(); ++row) {
        if (lstIndex_->item(row)->text().startsWith(text, Qt::CaseInsensitive)) {
            lstIndex_->setCurrentRow(row);
            lstIndex_->scrollToItem(lstIndex_->item(row), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void frmHelp::OpenIndexEntry(const QListWidgetItem* item) {
    if (item != nullptr) {
        ShowFile(item->data(kFileRole).toString());
    }
}

}  // namespace veldra
