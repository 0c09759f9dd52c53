#include "logic/expression.h"

#include <algorithm>

#include "logic/doubled_not.h"
#include "logic/expression_names.h"
#include "logic/operand_lookup.h"

namespace veldra {
namespace {

// Deeper nesting than this could not be evaluated within the runaway guard anyway;
// stopping here keeps a hostile text from exhausting the stack of the parser.
constexpr int kMaxNesting = 2001;

enum class TokenKind { Operand, Or, And, Xor, Not, Open, Close, End };

struct Token {
    TokenKind kind;
    std::uint32_t operand = 0;
    std::uint32_t solveOffset = 0;  // where the token stands in the solve string
};

bool IsSymbol(char c) {
    return c == '+' || c == '*' || c == '@' || c == '(' || c == ')';
}

}  // namespace

// Recursive descent over the tokens, writing the postfix program as it goes.
class Expression::Parser {
public:
    Parser(Expression& out, std::string_view text,
           const std::vector<std::string_view>& operandNames)
        : out_(out) {
        Tokenize(text, operandNames);
    }

    void Run() {
        if (!out_.error_.empty()) {
            return;
        }
        if (tokens_.size() == 1) {
            Fail("The expression is empty");
            return;
        }
        ParseChain(0, 0);
        if (out_.error_.empty() && Peek().kind != TokenKind::End) {
            Fail(Peek().kind == TokenKind::Close ? "A \")\" has no \"(\""
                                                 : "An operator is missing");
        }
        // One more than the deepest: the first value pushed spills an empty top.
        out_.stack_.assign(std::size_t(std::max(maxDepth_, 1)) + 1, 0);
    }

private:
    // Binary operators from the loosest to the tightest.
    struct Level {
        TokenKind token;
        Code combine;
        Code combineOperand;
    };
    static constexpr Level kLevels[] = {
        {TokenKind::Or, Code::Or, Code::OrOperand},
        {TokenKind::Xor, Code::Xor, Code::XorOperand},
        {TokenKind::And, Code::And, Code::AndOperand},
    };
    static constexpr int kLevelCount = 3;

    void Tokenize(std::string_view text, const std::vector<std::string_view>& operandNames) {
        std::string& solve = out_.solveString_;
        const OperandLookup lookup(operandNames);
        for (std::size_t i = 0; i < text.size();) {
            const char c = text[i];
            const auto offset = static_cast<std::uint32_t>(solve.size());
            if (c == ' ') {
                ++i;
                continue;
            }
            if (IsSymbol(c) || c == '~') {
                const TokenKind kind = c == '+'   ? TokenKind::Or
                                       : c == '*' ? TokenKind::And
                                       : c == '@' ? TokenKind::Xor
                                       : c == '(' ? TokenKind::Open
                                       : c == ')' ? TokenKind::Close
                                                  : TokenKind::Not;
                tokens_.push_back({kind, 0, offset});
                solve += c;
                ++i;
                continue;
            }
            // A "~" inside a name is part of it, as every reader of the statement takes it.
            std::size_t end = i;
            while (end < text.size() && !EndsName(text[end])) {
                ++end;
            }
            const std::string_view name = text.substr(i, end - i);
            const std::optional<std::uint32_t> index = lookup.Find(name);
            if (!index) {
                Fail("The operand " + std::string(name) + " is not in the operand table");
                return;
            }
            tokens_.push_back({TokenKind::Operand, *index, offset});
            solve += std::to_string(*index);
            i = end;
        }
        tokens_.push_back({TokenKind::End, 0, static_cast<std::uint32_t>(solve.size())});
    }

    const Token& Peek() const { return tokens_[next_]; }
    const Token& Take() { return tokens_[next_++]; }

    void Fail(std::string why) {
        if (out_.error_.empty()) {
            out_.error_ = std::move(why);
        }
    }

    void Emit(Step step, int depthChange) {
        out_.program_.push_back(step);
        depth_ += depthChange;
        maxDepth_ = std::max(maxDepth_, depth_);
    }

    // A left-to-right chain of the operator of `level`, or a unary term past the last level.
    void ParseChain(int level, int nesting) {
        if (level == kLevelCount) {
            ParseUnary(nesting);
            return;
        }
        const Level& op = kLevels[level];
        ParseChain(level + 1, nesting);
        while (out_.error_.empty() && Peek().kind == op.token) {
            Take();
            ++out_.cost_;
            const std::size_t before = out_.program_.size();
            ParseChain(level + 1, nesting);
            if (!out_.error_.empty()) {
                return;
            }
            Step& last = out_.program_.back();
            if (out_.program_.size() == before + 1 && last.code == Code::Push) {
                // A lone operand on the right is combined straight into the top value.
                last.code = op.combineOperand;
                --depth_;
            } else {
                Emit(Step{op.combine}, -1);
            }
        }
    }

    void ParseUnary(int nesting) {
        if (!out_.error_.empty()) {
            return;
        }
        const bool negated = Peek().kind == TokenKind::Not;
        if (negated) {
            Take();
        }
        const Token& token = Take();
        if (token.kind == TokenKind::Operand) {
            ++out_.cost_;
            Emit(Step{Code::Push, negated, token.operand}, +1);
            return;
        }
        if (token.kind == TokenKind::Open) {
            ParseGroup(token, negated, nesting + 1);
            return;
        }
        --next_;
        Fail(token.kind == TokenKind::End     ? "The expression ends with an operator"
             : token.kind == TokenKind::Not   ? std::string(kNotStandsTwice)
             : token.kind == TokenKind::Close ? "An operand is missing before \")\""
                                              : "An operand is missing");
    }

    void ParseGroup(const Token& open, bool negated, int nesting) {
        if (nesting > kMaxNesting) {
            Fail("The brackets are nested too deeply");
            return;
        }
        ++out_.cost_;
        ParseChain(0, nesting);
        if (!out_.error_.empty()) {
            return;
        }
        const Token& close = Take();
        if (close.kind != TokenKind::Close) {
            --next_;
            Fail(close.kind == TokenKind::End ? "A \"(\" is not closed" : "An operator is missing");
            return;
        }
        if (negated) {
            const std::uint32_t inside = open.solveOffset + 1;
            Emit(Step{Code::NegateGroup, false, inside, close.solveOffset - inside}, 0);
        }
    }

    Expression& out_;
    std::vector<Token> tokens_;
    std::size_t next_ = 0;
    int depth_ = 0;
    int maxDepth_ = 0;
};

Expression Expression::Parse(std::string_view text,
                             const std::vector<std::string_view>& operandNames) {
    Expression expression;
    Parser(expression, text, operandNames).Run();
    if (!expression.Valid()) {
        expression.program_.clear();
    }
    return expression;
}

bool NotStandsTwice(std::string_view expression) {
    bool twice = false;
    for (std::size_t i = 0; i < expression.size() && !twice; ++i) {
        if (expression[i] == '~') {
            std::size_t next = i + 1;
            while (next < expression.size() && expression[next] == ' ') {
                ++next;
            }
            twice = next < expression.size() && expression[next] == '~';
        }
    }
    if (!twice) {
        return false;  // the common case, told without parsing
    }
    // A "~~" inside a name is part of it: only the parser tells where it stands.
    std::vector<std::string_view> names;
    ForEachName(expression, [&names](const NameOccurrence& name) { names.push_back(name.name); });
    return Expression::Parse(expression, names).Error() == kNotStandsTwice;
}

}  // namespace veldra
