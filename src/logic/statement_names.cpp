#include "logic/statement_names.h"

#include <cstring>

#include "logic/statement_parser.h"

namespace veldra {

StatementNames::StatementNames(std::string_view expression,
                               const std::vector<std::string>& results) {
    const std::vector<std::string_view> operands = OperandViews(expression);
    const bool empty = expression.empty() && results.size() == 1 && results.front().empty() &&
                       operands.size() == 1 && operands.front().empty();
    if (empty) {
        return;
    }
    std::size_t characters = expression.size();
    for (const std::string& result : results) {
        characters += result.size();
    }
    const std::size_t spans = results.size() + operands.size();
    Head head{std::uint32_t(results.size()), std::uint32_t(operands.size()),
              std::uint32_t(expression.size()),
              std::uint32_t(sizeof(Head) + spans * sizeof(Span) + characters)};
    block_ = std::make_unique_for_overwrite<char[]>(head.size);
    char* at = block_.get();
    std::memcpy(at, &head, sizeof head);
    at += sizeof head;
    std::uint32_t resultStart = head.expressionLength;
    for (const std::string& result : results) {
        const Span span{resultStart, std::uint32_t(result.size())};
        std::memcpy(at, &span, sizeof span);
        at += sizeof span;
        resultStart += span.length;
    }
    for (std::string_view operand : operands) {
        const Span span{operand.empty() ? 0 : std::uint32_t(operand.data() - expression.data()),
                        std::uint32_t(operand.size())};
        std::memcpy(at, &span, sizeof span);
        at += sizeof span;
    }
    std::memcpy(at, expression.data(), expression.size());
    at += expression.size();
    for (const std::string& result : results) {
        std::memcpy(at, result.data(), result.size());
        at += result.size();
    }
}

StatementNames::StatementNames(const StatementNames& other) {
    *this = other;
}

StatementNames& StatementNames::operator=(const StatementNames& other) {
    if (this != &other) {
        if (!other.block_) {
            block_.reset();
        } else {
            const std::uint32_t size = other.Header().size;
            block_ = std::make_unique_for_overwrite<char[]>(size);
            std::memcpy(block_.get(), other.block_.get(), size);
        }
    }
    return *this;
}

StatementNames::Head StatementNames::Header() const {
    Head head;
    std::memcpy(&head, block_.get(), sizeof head);
    return head;
}

StatementNames::Span StatementNames::SpanAt(std::uint32_t index) const {
    Span span;
    std::memcpy(&span, block_.get() + sizeof(Head) + index * sizeof(Span), sizeof span);
    return span;
}

const char* StatementNames::Chars() const {
    const Head head = Header();
    return block_.get() + sizeof(Head) + (head.results + head.operands) * sizeof(Span);
}

std::string_view StatementNames::Expression() const {
    return block_ ? std::string_view(Chars(), Header().expressionLength) : std::string_view();
}

std::string_view StatementNames::Result(int index) const {
    if (!block_ || index < 0 || index >= ResultCount()) {
        return {};
    }
    const Span span = SpanAt(std::uint32_t(index));
    return {Chars() + span.start, span.length};
}

std::string_view StatementNames::Operand(int index) const {
    if (!block_ || index < 0 || index >= OperandCount()) {
        return {};
    }
    const Span span = SpanAt(Header().results + std::uint32_t(index));
    return {Chars() + span.start, span.length};
}

std::vector<std::string> StatementNames::Results() const {
    std::vector<std::string> results;
    results.reserve(std::size_t(ResultCount()));
    for (int i = 0; i < ResultCount(); ++i) {
        results.emplace_back(Result(i));
    }
    return results;
}

std::vector<std::string_view> StatementNames::Operands() const {
    std::vector<std::string_view> operands;
    operands.reserve(std::size_t(OperandCount()));
    for (int i = 0; i < OperandCount(); ++i) {
        operands.push_back(Operand(i));
    }
    return operands;
}

}  // namespace veldra
