#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <vector>

#include "platform/help_topics.h"

namespace veldra {

// The user's guide as the help window reads it. The help file is the guide's contents
// page: under its headings (<h2>) it lists the topic pages as links in list items. Each
// topic page names its topic number and the words the index lists it under:
//   <title>Force Bit Change</title>
//   <meta name="topic" content="27"/>
//   <meta name="keywords" content="forcing bits; check list"/>
// The pages are XHTML, so they read as XML; a page that cannot be read is named in
// Problems() and left out.
class HelpGuide {
public:
    struct Page {
        QString file;  // absolute path
        QString title;
        HelpTopic topic = HelpTopic::None;
        QStringList keywords;
    };
    // The pages listed under one heading of the contents, in their order.
    struct Section {
        QString heading;
        std::vector<std::size_t> pages;  // positions in Pages()
    };
    struct IndexEntry {
        QString keyword;
        std::size_t page;  // position in Pages()
    };

    // Reads the contents page and every page it lists. A missing contents page gives an
    // empty guide with the problem named.
    static HelpGuide Read(const QString& contentsFile);

    const QString& ContentsFile() const { return contentsFile_; }
    const QString& Title() const { return title_; }
    const std::vector<Page>& Pages() const { return pages_; }
    const std::vector<Section>& Sections() const { return sections_; }
    const QStringList& Problems() const { return problems_; }

    // The page of a topic number, or of a file; none when the guide has no such page.
    const Page* FindTopic(HelpTopic topic) const;
    const Page* FindFile(const QString& file) const;
    // Every keyword of every page and every page's title, in alphabetical order without
    // regard to case.
    std::vector<IndexEntry> Index() const;

private:
    void ReadContents();
    void ReadPage(const QString& file, const QString& linkText);

    QString contentsFile_;
    QString title_;
    std::vector<Page> pages_;
    std::vector<Section> sections_;
    QStringList problems_;
};

}  // namespace veldra
