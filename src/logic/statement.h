#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "logic/expression.h"
#include "logic/statement_names.h"
#include "logic/statement_parser.h"
#include "platform/event.h"

namespace veldra {

class BooleanBit;
class BooleanBits;
class Statements;

// How the statements window shows one statement: "ASSIGN" (right-aligned), the
// expression with blanks around its operators, and " TO " with the results (both
// left-aligned); the expression is green for a True result and black for False, and
// keeps its colour when the statement is filtered out.
struct StatementRow {
    enum class Colour { Unchanged, Green, Black };
    std::string assign;
    std::string expression;
    std::string results;
    Colour expressionColour = Colour::Unchanged;
};

// One logic statement of the application: "ASSIGN " expression " TO " results ";". It
// parses itself when its text is set, and solves itself into one Boolean, Result, which
// the scan then gives to every result bit. A statement that cannot be solved is
// disabled, the run is stopped and the statement goes to its editor.
class Statement {
public:
    // The most evaluation steps one solve may take before the statement is taken for a
    // runaway.
    static constexpr int kMaxEvaluationSteps = 2000;

    Statement();
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Takes a whole statement text and parses it. When the statement belongs to a
    // collection and its first result changes, it is re-keyed there in place; when
    // another statement already holds that key the text is refused with a message and
    // false is returned, leaving the statement as it was before the edit (also when the
    // editor emptied it with ResetStatement first).
    bool SetStrStatement(std::string_view text);
    // The normalised expression only.
    std::string_view strStatement() const { return names_.Expression(); }

    // The result and operand names; an index past the last gives the empty text.
    std::string_view ResultBitName(int index) const { return names_.Result(index); }
    int UboundResults() const { return names_.ResultCount() - 1; }
    std::string_view OpBitName(int index) const { return names_.Operand(index); }
    int UboundOpBit() const { return names_.OperandCount() - 1; }

    // Kept by the collection while the statement is in one (Statements::ScanResults), so
    // that the scan gives a result without touching the statement.
    bool Result() const;
    // Where the result is kept among the collection's results; unique among the
    // statements it holds, until the collection numbers them again.
    std::uint32_t Slot() const { return resultSlot_; }

    bool IsNumeric() const { return isNumeric_; }
    void SetIsNumeric(bool on);
    bool IsFiltered() const { return isFiltered_; }
    void SetIsFiltered(bool on) { isFiltered_ = on; }
    bool Edited() const { return edited_; }
    void SetEdited(bool on) { edited_ = on; }
    bool Disable() const { return disable_; }
    void SetDisable(bool on) {
        disable_ = on;
        MoveScanEpoch();
    }
    // Shown in a ladder window. Each viewer marks it on opening and off on closing, so it
    // stays displayed until its last viewer has closed.
    bool IsDisplayed() const { return cold_ && cold_->displayedBy > 0; }
    void SetIsDisplayed(bool on);

    // The collection the statement was added to; may be none.
    Statements* Parent() const { return parent_; }
    void SetParent(Statements* parent);

    // The bits the operands are read from; none reads every operand as False.
    BooleanBits* Bits() const { return bits_; }
    void SetBits(BooleanBits* bits);

    // Forget the built expression so the next solve builds it again from the text.
    void Initialize();
    // Finds the bits of the results and operands now, as the bits are mapped, without
    // parsing the expression: the scan's layout parses each statement as it compiles it and
    // lets the parse go at once, so that a large program never holds every statement's
    // parse at the same time (freed, those would stay in the process as holes).
    void BindOperands();
    // The prepared expression, built now when it is not yet; none when the statement can
    // only be solved by Solve itself: its expression does not parse or would trip the
    // runaway guard, or it is numeric.
    const Expression* Prepared();
    // Grows whenever the text, the bits or the numeric mark change: whatever was prepared
    // from the statement before is out of date.
    std::uint64_t Revision() const { return revision_; }
    // Lets go of the prepared expression once a SolveProgram holds a copy of it: a large
    // program would otherwise keep every statement's expression twice. The next solve or
    // Prepared() builds it again; the bits found for the operands and results stay.
    void ReleasePrepared() { tree_.reset(); }
    // The contacts through which the statement reads each operand, in operand order.
    std::vector<Contacts> OperandContacts() const;
    // Empties the statement: one empty result and operand, no expression, Result False.
    void ResetStatement();
    // The editors ask for a solve after an edit; the next queued solve does it, and the
    // statement keeps no flag of its own for that.
    void ForceSolve() {}

    // Tells a displayed statement's ladder that one of its operand bits changed.
    void OpBitChange(std::string_view bitName, bool value);

    bool BitUsed(std::string_view bitName) const;
    // Whether the statement reads the bit through a back (negated) or a front contact.
    bool IsBack(std::string_view bitName) const;
    bool IsFront(std::string_view bitName) const;

    // Solves the statement. True when Result now holds the value of this solve; false
    // when the statement is disabled, or could not be solved and has just been disabled
    // (Result then keeps its previous value and StatementChanged is not raised).
    bool Solve();

    // Takes a result that a SolveProgram computed from Prepared() and announces it as Solve
    // would. False, with nothing changed, while the statement is disabled or solving.
    bool AcceptResult(bool result);

    // The expression with every operand replaced by its index, as "(0+1)*~2"; empty
    // until the statement is first solved after its text, Initialize or ResetStatement,
    // and while its prepared expression is released.
    std::string_view SolveString() const {
        return tree_ ? std::string_view(tree_->SolveString()) : std::string_view();
    }

    // The bit of result `index` in Bits(), found when the statement was last solved; none
    // when there is no such bit.
    BooleanBit* ResultBit(int index) const {
        return index >= 0 && index < int(boundResults_) ? bound_[std::size_t(index)] : nullptr;
    }

    // The bit operand `index` reads in Bits(), as the statement was last prepared; none
    // when it names no bit there.
    BooleanBit* OperandBit(int index) const;

    // The statement as a row of the statements window.
    StatementRow LoadFrmStatements() const;

    // An event whose listeners the scan must serve: a statement somebody listens to is
    // solved by itself, so gaining a listener moves its collection's scan epoch.
    template <class... Args>
    class ListenedEvent {
    public:
        ListenedEvent(Statement& statement, Event<Args...>& event)
            : statement_(statement), event_(event) {}
        [[nodiscard]] Subscription Subscribe(typename Event<Args...>::Handler handler) {
            statement_.MoveScanEpoch();
            return event_.Subscribe(std::move(handler));
        }
        bool HasSubscribers() const { return event_.HasSubscribers(); }

    private:
        Statement& statement_;
        Event<Args...>& event_;
    };

    // (Result, first result bit name) after each completed solve.
    ListenedEvent<bool, std::string_view> StatementChanged() { return {*this, statementChanged_}; }
    const Event<bool, std::string_view>& StatementChanged() const { return statementChanged_; }
    // (operand index, value) when a displayed statement's operand bit changes.
    Event<int, bool>& OpBitChanged() { return Cold().opBitChanged; }
    // A new text given by an editor other than the viewers, which then show it afresh.
    Event<>& TextMended() { return Cold().textMended; }
    // (inside of a negated bracket group in solve-string form, its value before negation).
    ListenedEvent<std::string_view, bool> GroupChanged() { return {*this, groupChanged_}; }
    const Event<std::string_view, bool>& GroupChanged() const { return groupChanged_; }

private:
    friend std::string AssignText(const Statement& statement);
    friend class Statements;  // numbers the result slots

    void Build();
    void Bind();
    void StoreResult(bool result);
    // Tells the collection's scan that what it keeps of its statements is to be read again.
    void MoveScanEpoch();
    bool ReadOperand(std::uint32_t index, bool negated);
    // Where a numeric statement's operand `index` compares its bit with a number; npos
    // when it reads the bit itself.
    std::size_t ComparisonOf(std::uint32_t index) const;
    // Raises StatementChanged for the result just stored, and has the parent forward it.
    void Announce();
    bool Fault();

    // What every solve reads first, together next to the events.
    bool result_ = false;  // while in no collection; in one, its slot there holds it
    bool disable_ = false;
    bool solving_ = false;
    bool edited_ = false;
    bool isFiltered_ = false;
    bool isNumeric_ = false;
    // bound_ was found by BindOperands, for the next build to take as it is.
    bool justBound_ = false;
    std::uint32_t boundResults_ = 0;  // the first entries of bound_ are the results' bits
    std::uint32_t boundCount_ = 0;    // of bound_
    std::uint32_t resultSlot_ = 0;    // in the parent's results
    std::uint64_t revision_ = 0;
    Statements* parent_ = nullptr;
    BooleanBits* bits_ = nullptr;
    std::uint64_t boundGeneration_ = 0;
    // The bits of the results, then of the operands, as last bound; an operand that names
    // no bit has none, a numeric comparison the bit it compares.
    std::unique_ptr<BooleanBit*[]> bound_;

    StatementNames names_;
    // Built on the first solve or preparation after the text, Initialize or ResetStatement.
    std::unique_ptr<Expression> tree_;

    // The statement as it stood before ResetStatement, until a new text is taken.
    struct Saved {
        StatementNames names;
        bool result;
    };
    // What only the viewers and editors use, made when first needed, so that a large
    // program's statements stay small.
    struct ColdState {
        std::unique_ptr<Saved> beforeReset;
        int displayedBy = 0;
        Event<int, bool> opBitChanged;
        Event<> textMended;
    };
    ColdState& Cold() {
        if (!cold_) {
            cold_ = std::make_unique<ColdState>();
        }
        return *cold_;
    }
    Saved* BeforeReset() const { return cold_ ? cold_->beforeReset.get() : nullptr; }
    std::unique_ptr<ColdState> cold_;

    Event<bool, std::string_view> statementChanged_;
    Event<std::string_view, bool> groupChanged_;
};

// The statement's canonical one-line text: "ASSIGN ", the normalised expression, " TO ",
// the result bit names separated by ", ", and ";".
std::string AssignText(const Statement& statement);

}  // namespace veldra
