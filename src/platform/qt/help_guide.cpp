#include "platform/qt/help_guide.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <algorithm>

namespace veldra {
namespace {

// A link to another page of the guide: a file beside the contents, not a place on the
// web nor an anchor of the same page.
bool IsGuidePage(const QString& href) {
    return !href.isEmpty() && !href.startsWith('#') && !href.contains(':') &&
           href.endsWith(".html", Qt::CaseInsensitive);
}

QString Problem(const QString& file, const QXmlStreamReader& reader) {
    return QString("%1, line %2: %3")
        .arg(QFileInfo(file).fileName())
        .arg(reader.lineNumber())
        .arg(reader.errorString());
}

QString Simplified(const QString& text) {
    return text.simplified();
}

}  // namespace

HelpGuide HelpGuide::Read(const QString& contentsFile) {
    HelpGuide guide;
    guide.contentsFile_ = QFileInfo(contentsFile).absoluteFilePath();
    guide.ReadContents();
    return guide;
}

void HelpGuide::ReadContents() {
    QFile file(contentsFile_);
    if (!file.open(QIODevice::ReadOnly)) {
        problems_.append(QString("%1: %2").arg(contentsFile_, file.errorString()));
        return;
    }
    const QDir folder = QFileInfo(contentsFile_).absoluteDir();
    QXmlStreamReader reader(&file);
    sections_.push_back({});
    int listItems = 0;
    struct Link {
        QString href;
        QString text;
    };
    std::vector<Link> links;  // in the order of the contents, with their sections
    std::vector<std::size_t> linkSections;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const QStringView name = reader.name();
            if (name == u"title") {
                title_ = Simplified(reader.readElementText(QXmlStreamReader::IncludeChildElements));
            } else if (name == u"h2") {
                sections_.push_back(
                    {Simplified(reader.readElementText(QXmlStreamReader::IncludeChildElements)),
                     {}});
            } else if (name == u"li") {
                ++listItems;
            } else if (name == u"a" && listItems > 0) {
                const QString href = reader.attributes().value("href").toString();
                const QString text =
                    Simplified(reader.readElementText(QXmlStreamReader::IncludeChildElements));
                if (IsGuidePage(href)) {
                    links.push_back({href, text});
                    linkSections.push_back(sections_.size() - 1);
                }
            }
        } else if (reader.isEndElement() && reader.name() == u"li") {
            --listItems;
        }
    }
    if (reader.hasError()) {
        problems_.append(Problem(contentsFile_, reader));
    }
    for (std::size_t link = 0; link < links.size(); ++link) {
        const QString page = folder.absoluteFilePath(links[link].href);
        if (FindFile(page) == nullptr) {
            ReadPage(page, links[link].text);
        }
        if (const Page* read = FindFile(page)) {
            sections_[linkSections[link]].pages.push_back(std::size_t(read - pages_.data()));
        }
    }
    std::erase_if(sections_, [](const Section& section) { return section.pages.empty(); });
}

void HelpGuide::ReadPage(const QString& path, const QString& linkText) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problems_.append(QString("%1: %2").arg(QFileInfo(path).fileName(), file.errorString()));
        return;
    }
    Page page;
    page.file = path;
    page.title = linkText;
    QXmlStreamReader reader(&file);
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement()) {
            continue;
        }
        if (reader.name() == u"title") {
            page.title = Simplified(reader.readElementText(QXmlStreamReader::IncludeChildElements));
        } else if (reader.name() == u"meta") {
            const QString name = reader.attributes().value("name").toString();
            const QString content = reader.attributes().value("content").toString();
            if (name == "topic") {
                page.topic = HelpTopic(content.toInt());
            } else if (name == "keywords") {
                for (const QString& keyword : content.split(';', Qt::SkipEmptyParts)) {
                    if (const QString word = Simplified(keyword); !word.isEmpty()) {
                        page.keywords.append(word);
                    }
                }
            }
        } else if (reader.name() == u"body") {
            break;  // what the index and the map need lies in the head
        }
    }
    if (reader.hasError()) {
        problems_.append(Problem(path, reader));
        return;
    }
    pages_.push_back(std::move(page));
}

const HelpGuide::Page* HelpGuide::FindTopic(HelpTopic topic) const {
    if (topic == HelpTopic::None) {
        return nullptr;
    }
    const auto page = std::ranges::find(pages_, topic, &Page::topic);
    return page != pages_.end() ? &*page : nullptr;
}

const HelpGuide::Page* HelpGuide::FindFile(const QString& file) const {
    const QString path = QFileInfo(file).absoluteFilePath();
    const auto page = std::ranges::find(pages_, path, &Page::file);
    return page != pages_.end() ? &*page : nullptr;
}

std::vector<HelpGuide::IndexEntry> HelpGuide::Index() const {
    std::vector<IndexEntry> index;
    for (std::size_t page = 0; page < pages_.size(); ++page) {
        index.push_back({pages_[page].title, page});
        for (const QString& keyword : pages_[page].keywords) {
            if (QString::compare(keyword, pages_[page].title, Qt::CaseInsensitive) != 0) {
                index.push_back({keyword, page});
            }
        }
    }
    std::ranges::stable_sort(index, [](const IndexEntry& left, const IndexEntry& right) {
        return QString::compare(left.keyword, right.keyword, Qt::CaseInsensitive) < 0;
    });
    return index;
}

}  // namespace veldra
