#include "ladder/drawn_expression.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "logic/expression.h"
#include "logic/statement_parser.h"

namespace veldra {
namespace {

// A ladder is not drawn past this many cells anyway: an expression that would be
// redrawn with more contacts or text, or that nests deeper than the walk goes, is not
// drawn at all.
constexpr int kMostContacts = 10000;
constexpr std::size_t kMostText = std::size_t(1) << 22;
constexpr int kMostDepth = 4096;

// The expression as the evaluator groups it. A run of one operator is one node, so that
// a long chain is a wide node rather than a deep one; an exclusive or gathers only the
// run on its left, since the evaluator takes whatever stands on its right as one operand.
struct Node {
    enum class Kind { Operand, And, Or, Xor };
    Kind kind = Kind::Operand;
    bool negated = false;
    std::uint32_t operand = 0;
    std::vector<std::size_t> children;
};
using Kind = Node::Kind;

class ExpressionTree {
public:
    // False when the program holds a step the parser never writes.
    bool Read(const Expression& parsed) {
        for (const Expression::Step& step : parsed.Steps()) {
            if (!Take(step)) {
                return false;
            }
        }
        return stack_.size() == 1;
    }
    const std::vector<Node>& Nodes() const { return nodes_; }
    std::size_t Root() const { return stack_.back(); }

private:
    bool Take(const Expression::Step& step) {
        switch (step.code) {
            case Expression::Code::Push:
                stack_.push_back(Leaf(step));
                return true;
            case Expression::Code::AndOperand:
                return CombineWithOperand(Kind::And, step);
            case Expression::Code::OrOperand:
                return CombineWithOperand(Kind::Or, step);
            case Expression::Code::XorOperand:
                return CombineWithOperand(Kind::Xor, step);
            case Expression::Code::And:
                return CombineTop(Kind::And);
            case Expression::Code::Or:
                return CombineTop(Kind::Or);
            case Expression::Code::Xor:
                return CombineTop(Kind::Xor);
            case Expression::Code::NegateGroup:
                if (stack_.empty()) {
                    return false;
                }
                nodes_[stack_.back()].negated = !nodes_[stack_.back()].negated;
                return true;
            default:
                return false;
        }
    }

    std::size_t Leaf(const Expression::Step& step) {
        nodes_.push_back({Kind::Operand, step.negated, step.argument, {}});
        return nodes_.size() - 1;
    }

    bool CombineWithOperand(Kind kind, const Expression::Step& step) {
        if (stack_.empty()) {
            return false;
        }
        const std::size_t operand = Leaf(step);
        stack_.back() = Combine(kind, stack_.back(), operand);
        return true;
    }

    bool CombineTop(Kind kind) {
        if (stack_.size() < 2) {
            return false;
        }
        const std::size_t right = stack_.back();
        stack_.pop_back();
        stack_.back() = Combine(kind, stack_.back(), right);
        return true;
    }

    bool Joins(std::size_t index, Kind kind) const {
        return nodes_[index].kind == kind && !nodes_[index].negated;
    }

    std::size_t Combine(Kind kind, std::size_t left, std::size_t right) {
        std::size_t into = left;
        if (!Joins(left, kind)) {
            nodes_.push_back({kind, false, 0, {left}});
            into = nodes_.size() - 1;
        }
        if (kind != Kind::Xor && Joins(right, kind)) {
            const std::vector<std::size_t> run = nodes_[right].children;
            nodes_[into].children.insert(nodes_[into].children.end(), run.begin(), run.end());
        } else {
            nodes_[into].children.push_back(right);
        }
        return into;
    }

    std::vector<Node> nodes_;
    std::vector<std::size_t> stack_;
};

// Writes a tree out as contacts in series and parallel, every "~" on an operand.
class DrawnText {
public:
    DrawnText(const std::vector<Node>& nodes, const std::vector<std::string_view>& names)
        : nodes_(nodes), names_(names) {}

    // Nothing when the text would pass the ladder's limits.
    std::optional<std::string> Write(std::size_t root) {
        Emit(root, false, Kind::Or, 0);
        return cut_ ? std::nullopt : std::optional<std::string>(std::move(text_));
    }

private:
    // One operand of an exclusive-or chain as it is drawn: the contact of all the chain's
    // plain operands, or one operand holding a product or a bracket.
    struct XorTerm {
        bool contact = false;
        std::size_t node = 0;  // a product or bracket
    };

    struct XorChain {
        const std::vector<XorTerm>& terms;
        const std::string& contact;  // the name of the plain operands' contact
    };

    // `parent` is the operator the text stands in: only an OR inside an AND needs brackets.
    void Emit(std::size_t index, bool negate, Kind parent, int depth) {
        if (Cut(depth)) {
            return;
        }
        const Node& node = nodes_[index];
        negate = negate != node.negated;
        switch (node.kind) {
            case Kind::Operand:
                Contact(names_[node.operand], negate);
                return;
            case Kind::Xor:
                EmitXor(node, negate, parent, depth);
                return;
            case Kind::And:
            case Kind::Or:
                break;
        }
        // De Morgan: a negated AND is the OR of the negated operands, and the other way.
        const Kind drawn = (node.kind == Kind::And) != negate ? Kind::And : Kind::Or;
        const bool bracket = parent == Kind::And && drawn == Kind::Or;
        text_ += bracket ? "(" : "";
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            if (i > 0) {
                text_ += drawn == Kind::And ? '*' : '+';
            }
            Emit(node.children[i], negate, drawn, depth + 1);
        }
        text_ += bracket ? ")" : "";
    }

    // An exclusive or is associative, so a whole chain, brackets of exclusive ors within it
    // included, is one parity: its plain operands make one contact, and only the operands
    // holding a product or a bracket are spelt out, around that contact.
    void EmitXor(const Node& node, bool negate, Kind parent, int depth) {
        std::string name;
        bool back = negate;
        std::vector<XorTerm> terms;
        Gather(node, name, back, terms, depth);
        if (cut_) {
            return;
        }
        // The wanted parity of the spelt-out terms; an odd number of "~" turns it over.
        EmitParity({terms, name}, 0, terms.size(), !back, parent, depth + 1);
    }

    void Gather(const Node& node, std::string& name, bool& back, std::vector<XorTerm>& terms,
                int depth) {
        if (Cut(depth)) {
            return;
        }
        for (const std::size_t child : node.children) {
            const Node& operand = nodes_[child];
            if (operand.kind == Kind::Operand) {
                back = back != operand.negated;
                if (name.empty()) {
                    terms.push_back({true, 0});
                }
                name += name.empty() ? "" : "@";
                name += names_[operand.operand];
            } else if (operand.kind == Kind::Xor) {
                back = back != operand.negated;
                Gather(operand, name, back, terms, depth + 1);
            } else {
                terms.push_back({false, child});
            }
        }
    }

    // Contacts that conduct when the exclusive or of terms [first, last) is `odd`. Halving
    // the run each time draws every term about as often as there are terms, where taking
    // one term off at a time would double the drawing for each: X@Y is X*~Y+~X*Y, and
    // its negation X*Y+~X*~Y.
    void EmitParity(const XorChain& chain, std::size_t first, std::size_t last, bool odd,
                    Kind parent, int depth) {
        if (Cut(depth)) {
            return;
        }
        if (last - first == 1) {
            const XorTerm& term = chain.terms[first];
            if (term.contact) {
                Contact(chain.contact, !odd);
            } else {
                Emit(term.node, !odd, parent, depth + 1);
            }
            return;
        }
        const std::size_t middle = first + (last - first) / 2;
        const bool bracket = parent == Kind::And;
        text_ += bracket ? "(" : "";
        EmitParity(chain, first, middle, true, Kind::And, depth + 1);
        text_ += '*';
        EmitParity(chain, middle, last, !odd, Kind::And, depth + 1);
        text_ += '+';
        EmitParity(chain, first, middle, false, Kind::And, depth + 1);
        text_ += '*';
        EmitParity(chain, middle, last, odd, Kind::And, depth + 1);
        text_ += bracket ? ")" : "";
    }

    void Contact(std::string_view name, bool back) {
        if (++contacts_ > kMostContacts || text_.size() + name.size() > kMostText) {
            cut_ = true;
            return;
        }
        text_ += back ? "~" : "";
        text_ += name;
    }

    bool Cut(int depth) {
        cut_ = cut_ || depth > kMostDepth;
        return cut_;
    }

    const std::vector<Node>& nodes_;
    const std::vector<std::string_view>& names_;
    std::string text_;
    int contacts_ = 0;
    bool cut_ = false;
};

bool NeedsRedrawing(const Expression& parsed) {
    return std::any_of(parsed.Steps().begin(), parsed.Steps().end(), [](const auto& step) {
        return step.code == Expression::Code::NegateGroup || step.code == Expression::Code::Xor ||
               step.code == Expression::Code::XorOperand;
    });
}

}  // namespace

std::optional<std::string> DrawnExpression(std::string_view expression) {
    if (expression.find(' ') != std::string_view::npos) {
        std::string unspaced(expression);
        std::erase(unspaced, ' ');
        return DrawnExpression(unspaced);
    }
    const bool mayNeed = expression.find('@') != std::string_view::npos ||
                         expression.find("~(") != std::string_view::npos;
    if (!mayNeed) {
        return std::string(expression);
    }
    const std::vector<std::string_view> names = OperandViews(expression);
    const Expression parsed = Expression::Parse(expression, names);
    if (!parsed.Valid() || !NeedsRedrawing(parsed)) {
        return std::string(expression);
    }
    ExpressionTree tree;
    if (!tree.Read(parsed)) {
        return std::string(expression);
    }
    return DrawnText(tree.Nodes(), names).Write(tree.Root());
}

}  // namespace veldra
