#include "book/bit_index.h"

#include <algorithm>
#include <cstdint>

#include "engine/sorted_names.h"
#include "ladder/contact_value.h"
#include "ladder/ladders.h"
#include "logic/boolean_bits.h"
#include "platform/ascii_text.h"
#include "platform/hash_growth.h"

namespace veldra {
namespace {

// The bit a comparison contact reads: the text before its first "=", else its first ">",
// else its first "<"; the whole name when it compares nothing.
std::string_view ComparedBit(std::string_view name) {
    for (const char op : {'=', '>', '<'}) {
        if (const std::size_t at = name.find(op); at != std::string_view::npos) {
            return name.substr(0, at);
        }
    }
    return name;
}

// A page on which a bit is read, or is a coil.
struct Mark {
    int page = 0;
    bool coil = false;
    bool removed = false;
};

// The marks of every bit in their order of arrival. A removed mark stays as a gap, so
// that each addition, removal and presence test is one look-up whatever the bit's pages.
class PageMarks {
public:
    explicit PageMarks(std::size_t bits) : marks_(bits) {}

    bool Has(std::size_t bit, int page, bool coil) const {
        return at_.contains(Key(bit, page, coil));
    }
    void Add(std::size_t bit, int page, bool coil) {
        if (at_.try_emplace(Key(bit, page, coil), marks_[bit].size()).second) {
            marks_[bit].push_back({page, coil});
        }
    }
    void Remove(std::size_t bit, int page, bool coil) {
        if (const auto found = at_.find(Key(bit, page, coil)); found != at_.end()) {
            marks_[bit][found->second].removed = true;
            at_.erase(found);
        }
    }

    // The bit's page items in page order, a page that is a coil given once, in brackets.
    std::string Pages(std::size_t bit) const {
        std::vector<Mark> kept;
        for (const Mark& mark : marks_[bit]) {
            // A mark of the same page as the one that arrived just before it adds nothing:
            // a comparison read after the page's coil stays the coil.
            if (!mark.removed && (kept.empty() || kept.back().page != mark.page)) {
                kept.push_back(mark);
            }
        }
        std::stable_sort(kept.begin(), kept.end(),
                         [](const Mark& a, const Mark& b) { return a.page < b.page; });
        std::string text(kPagesPrefix);
        for (const Mark& mark : kept) {
            if (mark.page <= 0) {
                continue;
            }
            const std::string page = std::to_string(mark.page);
            text += mark.coil ? "(" + page + "), " : page + ", ";
        }
        return text;
    }

private:
    static std::uint64_t Key(std::size_t bit, int page, bool coil) {
        return (std::uint64_t(bit) << 33) | (std::uint64_t(std::uint32_t(page)) << 1) |
               std::uint64_t(coil);
    }

    std::vector<std::vector<Mark>> marks_;
    HashMap<std::uint64_t, std::size_t> at_;
};

struct IndexedBit {
    std::string name;
    bool numeric = false;
};

// The program's bits in index order: each name once, alphabetical without regard to case.
std::vector<IndexedBit> IndexOrder(const BooleanBits* bits) {
    std::vector<IndexedBit> order;
    if (bits == nullptr) {
        return order;
    }
    HashSet<std::string, CaseInsensitiveHash, CaseInsensitiveEqual> seen;
    for (const BooleanBit& bit : *bits) {
        if (seen.insert(bit.BitName()).second) {
            order.push_back({bit.BitName(), bit.IsNumeric()});
        }
    }
    std::stable_sort(order.begin(), order.end(), [](const IndexedBit& a, const IndexedBit& b) {
        return ListOrderBefore(a.name, b.name);
    });
    return order;
}

}  // namespace

bool IndexEntry::OnAnyPage() const {
    return Pages.size() > kPagesPrefix.size();
}

std::string IndexEntry::PagesLine() const {
    return Pages.substr(0, Pages.size() >= 2 ? Pages.size() - 2 : 0);
}

std::vector<IndexEntry> clsIndex::GetIndex(Ladders& ladders, const BooleanBits* bits,
                                           IndexProgress* progress) {
    const std::vector<IndexedBit> order = IndexOrder(bits);
    HashMap<std::string_view, std::size_t, CaseInsensitiveHash, CaseInsensitiveEqual> position;
    for (std::size_t i = 0; i < order.size(); ++i) {
        position.emplace(order[i].name, i);
    }
    // The bit of exactly this name: the collection's keys ignore case, the book does not.
    const auto bitNamed = [&](std::string_view name) -> const std::size_t* {
        const auto found = position.find(name);
        return found != position.end() && order[found->second].name == name ? &found->second
                                                                            : nullptr;
    };

    // One walk over every cell serves every bit: a cell names at most its own bit and,
    // as a comparison, the numeric bit it compares.
    PageMarks marks(order.size());
    // A cell's name read on a page: each operand of an exclusive-or contact, and the
    // numeric bit a comparison reads.
    const auto mark = [&](std::string_view name, bool coil, int page) {
        const std::vector<std::string_view> operands =
            coil ? std::vector<std::string_view>{name} : ContactOperands(name);
        for (const std::string_view operand : operands) {
            if (const std::size_t* bit = bitNamed(operand)) {
                if (coil) {
                    marks.Add(*bit, page, true);
                    marks.Remove(*bit, page, false);
                } else if (!marks.Has(*bit, page, false) && !marks.Has(*bit, page, true)) {
                    marks.Add(*bit, page, false);
                }
            }
            const std::string_view compared = ComparedBit(operand);
            if (compared.size() != operand.size()) {
                if (const std::size_t* bit = bitNamed(compared); bit && order[*bit].numeric) {
                    marks.Add(*bit, page, false);
                }
            }
        }
    };
    for (CreateLadder& ladder : ladders) {
        const int page = ladder.PageNumber;
        for (const auto& cell : ladder.GetElements()) {
            if (!cell->Name.empty()) {
                mark(cell->Name, cell->IsOutput, page);
            }
        }
        // A rung drawn as a note reads the operands its statement's text names.
        if (!ladder.Note().empty()) {
            for (const std::string& operand : ExpressionNames(ladder.Statement())) {
                mark(operand, false, page);
            }
        }
    }

    if (progress != nullptr) {
        progress->Start(int(order.size()));
    }
    std::vector<IndexEntry> entries;
    entries.reserve(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (progress != nullptr) {
            progress->Building("Building Index for " + order[i].name, int(i) + 1);
        }
        entries.push_back({order[i].name, marks.Pages(i)});
    }
    return entries;
}

std::string IndexFooterText(std::string_view programName, const ListingTexts& listing) {
    return "Index Listing for: " + std::string(programName) + "  CheckSum: " + listing.ChkSum +
           "   CRC: " + listing.CRC;
}

std::string IndexFileText(const std::vector<IndexEntry>& entries) {
    std::string text;
    for (const IndexEntry& entry : entries) {
        if (entry.OnAnyPage()) {
            text += entry.BitName + "\r\n" + entry.PagesLine() + "\r\n\r\n";
        }
    }
    return text;
}

std::vector<IndexSheet> IndexSheets(const std::vector<IndexEntry>& entries, std::string_view footer,
                                    double pageHeight, double lineHeight) {
    constexpr double kLeft = 2000;
    std::vector<IndexSheet> sheets(1);
    double y = 0;
    const auto print = [&](std::string text) {
        sheets.back().push_back({kLeft, y, std::move(text)});
        y += lineHeight;
    };
    const auto heading = [&] {
        y = 1560;
        print(std::string(kIndexHeading));
        y += 2 * lineHeight;
    };
    const auto foot = [&] {
        sheets.back().push_back({kLeft, pageHeight - 1000, std::string(footer)});
    };

    heading();
    for (const IndexEntry& entry : entries) {
        // Looked at before every entry, also one that then prints nothing.
        if (y > pageHeight - 2000) {
            foot();
            sheets.emplace_back();
            heading();
        }
        if (!entry.OnAnyPage()) {
            continue;
        }
        print(entry.BitName);
        print(entry.PagesLine());
        y += 2 * lineHeight;
    }
    foot();
    return sheets;
}

std::vector<std::string> IndexColumns(const std::vector<IndexEntry>& entries, double lineHeight) {
    std::vector<std::string> columns;
    std::string column;
    int lineBreaks = 0;  // in `column`
    for (const IndexEntry& entry : entries) {
        if (!entry.OnAnyPage()) {
            continue;
        }
        std::string text = entry.BitName + "\r\n" + entry.PagesLine() + "\r\n\r\n";
        // The column with the entry's name and pages below it: two lines more than it has.
        if ((lineBreaks + 2) * lineHeight < kIndexColumnHeight) {
            column += text;
            lineBreaks += 3;
        } else {
            columns.push_back(std::move(column));
            column = std::move(text);
            lineBreaks = 3;
        }
    }
    if (!column.empty()) {
        columns.push_back(std::move(column));
    }
    return columns;
}

}  // namespace veldra
