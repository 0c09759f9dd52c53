#include "logic/statement.h"

#include <algorithm>
#include <utility>

#include "logic/boolean_bits.h"
#include "logic/model_error.h"
#include "logic/numbers.h"
#include "logic/program_host.h"
#include "logic/statement_parser.h"
#include "logic/statements.h"
#include "logic/text_helpers.h"
#include "platform/ascii_text.h"
#include "platform/load_under_way.h"
#include "platform/runtime_error.h"

namespace veldra {
namespace {

// Where a numeric statement's operand compares: its first "=", else its first ">", else
// its first "<".
std::size_t ComparisonAt(std::string_view name) {
    for (char op : {'=', '>', '<'}) {
        if (const std::size_t at = name.find(op); at != std::string_view::npos) {
            return at;
        }
    }
    return std::string_view::npos;
}

// Marks a statement as solving for as long as it lives.
class SolvingMark {
public:
    explicit SolvingMark(bool& flag) : flag_(flag) { flag_ = true; }
    ~SolvingMark() { flag_ = false; }
    SolvingMark(const SolvingMark&) = delete;
    SolvingMark& operator=(const SolvingMark&) = delete;

private:
    bool& flag_;
};

}  // namespace

Statement::Statement() = default;

Statement::~Statement() {
    SetParent(nullptr);
}

bool Statement::SetStrStatement(std::string_view text) {
    return GuardModel(ProgressWindow::Keep, false, [&] {
        ParsedStatement parsed = ParseStatementText(text);
        // An editor empties the statement before it sets the new text: the first result
        // before the edit is then the one kept from before the reset.
        const std::string_view firstBefore =
            BeforeReset() != nullptr ? BeforeReset()->names.Result(0) : names_.Result(0);
        const std::string& firstAfter = parsed.results.front();
        if (parent_ != nullptr && !isNumeric_ && !EqualsIgnoringCase(firstBefore, firstAfter) &&
            !parent_->TakeNewKey(*this, firstAfter)) {
            if (Saved* saved = BeforeReset()) {
                names_ = std::move(saved->names);
                StoreResult(saved->result);
                cold_->beforeReset.reset();
                Initialize();
            }
            return false;
        }
        names_ = StatementNames(parsed.expression, parsed.results);
        if (cold_) {
            cold_->beforeReset.reset();
        }
        Initialize();
        return true;
    });
}

void Statement::SetIsNumeric(bool on) {
    isNumeric_ = on;
    Initialize();  // comparisons are operands only in numeric statements
}

void Statement::SetIsDisplayed(bool on) {
    const bool was = IsDisplayed();
    if (on) {
        ++Cold().displayedBy;
    } else if (cold_ && cold_->displayedBy > 0) {
        --cold_->displayedBy;
    }
    if (parent_ != nullptr && IsDisplayed() != was) {
        parent_->DisplayedChanged(!was);
    }
}

void Statement::SetParent(Statements* parent) {
    if (parent == parent_) {
        return;
    }
    const bool result = Result();
    // The new slot is taken first: one that finds no memory leaves the statement as it was.
    const std::uint32_t slot = parent != nullptr ? parent->TakeResultSlot(result) : 0;
    if (parent_ != nullptr && IsDisplayed()) {
        parent_->DisplayedChanged(false);
    }
    MoveScanEpoch();
    parent_ = parent;
    if (parent_ != nullptr) {
        resultSlot_ = slot;
    } else {
        result_ = result;
    }
    MoveScanEpoch();
    if (parent_ != nullptr && IsDisplayed()) {
        parent_->DisplayedChanged(true);
    }
}

bool Statement::Result() const {
    return parent_ != nullptr ? parent_->results_[resultSlot_] != 0 : result_;
}

void Statement::StoreResult(bool result) {
    if (parent_ != nullptr) {
        parent_->results_[resultSlot_] = result ? 1 : 0;
    } else {
        result_ = result;
    }
}

void Statement::MoveScanEpoch() {
    if (parent_ != nullptr) {
        parent_->MoveScanEpoch();
    }
}

void Statement::SetBits(BooleanBits* bits) {
    bits_ = bits;
    Initialize();
}

void Statement::Initialize() {
    tree_.reset();
    justBound_ = false;
    ++revision_;
    MoveScanEpoch();
}

void Statement::BindOperands() {
    Bind();
    justBound_ = true;
}

const Expression* Statement::Prepared() {
    if (!tree_) {
        Build();
    }
    if (bits_ != nullptr && bits_->Generation() != boundGeneration_) {
        Bind();  // a bit has left since: find the operands again
    }
    return tree_->Valid() && tree_->Cost() <= kMaxEvaluationSteps && !isNumeric_ ? tree_.get()
                                                                                 : nullptr;
}

std::vector<Contacts> Statement::OperandContacts() const {
    return ReadContacts(names_.Expression(), names_.Operands());
}

BooleanBit* Statement::OperandBit(int index) const {
    const std::size_t at = boundResults_ + std::size_t(index);
    if (index < 0 || at >= boundCount_ || bound_[at] == nullptr) {
        return nullptr;
    }
    // A comparison reads a number, not the bit.
    return ComparisonOf(std::uint32_t(index)) == std::string_view::npos ? bound_[at] : nullptr;
}

std::size_t Statement::ComparisonOf(std::uint32_t index) const {
    if (!isNumeric_) {
        return std::string_view::npos;
    }
    const std::string_view name = OpBitName(int(index));
    const std::size_t opAt = ComparisonAt(name);
    const BooleanBit* bit =
        boundResults_ + index < boundCount_ ? bound_[boundResults_ + index] : nullptr;
    // Mapping looks the whole name up first: a bit of that name is read as a bit.
    if (opAt == std::string_view::npos ||
        (bit != nullptr && bit->BitName().size() == name.size())) {
        return std::string_view::npos;
    }
    return opAt;
}

void Statement::ResetStatement() {
    if (BeforeReset() == nullptr) {
        Cold().beforeReset = std::make_unique<Saved>(Saved{std::move(names_), Result()});
    }
    names_ = StatementNames();
    StoreResult(false);
    Initialize();
}

void Statement::OpBitChange(std::string_view bitName, bool value) {
    if (!cold_) {
        return;  // nobody has listened
    }
    for (int i = 0; i <= UboundOpBit(); ++i) {
        if (OpBitName(i) == bitName) {
            cold_->opBitChanged.Raise(i, value);
        }
    }
}

bool Statement::BitUsed(std::string_view bitName) const {
    for (int i = 0; i <= UboundOpBit(); ++i) {
        if (OpBitName(i) == bitName) {
            return true;
        }
    }
    for (int i = 0; i <= UboundResults(); ++i) {
        if (ResultBitName(i) == bitName) {
            return true;
        }
    }
    return false;
}

bool Statement::IsBack(std::string_view bitName) const {
    return ReadsBackContact(strStatement(), bitName);
}

bool Statement::IsFront(std::string_view bitName) const {
    return ReadsFrontContact(strStatement(), bitName);
}

bool Statement::Solve() {
    // A listener that solves the statement again from inside its own solve gets nothing:
    // the evaluation in progress owns the statement's scratch state.
    if (disable_ || solving_) {
        return false;
    }
    const SolvingMark mark(solving_);
    try {
        if (!tree_) {
            Build();
        }
        if (!tree_->Valid() || tree_->Cost() > kMaxEvaluationSteps) {
            return Fault();
        }
        if (bits_ != nullptr && bits_->Generation() != boundGeneration_) {
            Bind();
        }
        StoreResult(tree_->Evaluate(
            [this](std::uint32_t index, bool negated) { return ReadOperand(index, negated); },
            [this](std::string_view group, bool value) { groupChanged_.Raise(group, value); }));
        Announce();
        return true;
    } catch (const std::exception& error) {
        if (EndsTheLoad(error)) {
            throw;
        }
        return Fault();
    }
}

bool Statement::AcceptResult(bool result) {
    if (disable_ || solving_) {
        return false;
    }
    const SolvingMark mark(solving_);
    StoreResult(result);
    Announce();
    return true;
}

void Statement::Announce() {
    if (statementChanged_.HasSubscribers()) {  // the name is not looked at for nobody
        statementChanged_.Raise(Result(), ResultBitName(0));
    }
    if (parent_ != nullptr) {
        parent_->ForwardStatementChanged(*this);
    }
}

void Statement::Build() {
    tree_ = std::make_unique<Expression>(Expression::Parse(strStatement(), names_.Operands()));
    // Bits found as the bits were mapped, just before, are taken as they are; any other
    // build finds them again, as bits may have come since.
    if (!std::exchange(justBound_, false) ||
        (bits_ != nullptr && bits_->Generation() != boundGeneration_)) {
        Bind();
    }
}

void Statement::Bind() {
    boundGeneration_ = bits_ != nullptr ? bits_->Generation() : 0;
    boundResults_ = std::uint32_t(names_.ResultCount());
    const std::uint32_t count = boundResults_ + std::uint32_t(names_.OperandCount());
    if (count != boundCount_) {
        bound_ = std::make_unique<BooleanBit*[]>(count);
        boundCount_ = count;
    }
    std::fill_n(bound_.get(), count, nullptr);
    if (bits_ == nullptr) {
        return;
    }
    for (int i = 0; i <= UboundResults(); ++i) {
        bound_[std::size_t(i)] = bits_->Find(ResultBitName(i));
    }
    for (int i = 0; i <= UboundOpBit(); ++i) {
        const std::string_view name = OpBitName(i);
        BooleanBit*& bit = bound_[boundResults_ + std::size_t(i)];
        bit = bits_->Find(name);
        if (bit == nullptr && isNumeric_) {
            if (const std::size_t opAt = ComparisonAt(name); opAt != std::string_view::npos) {
                bit = bits_->Find(name.substr(0, opAt));
            }
        }
    }
}

bool Statement::ReadOperand(std::uint32_t index, bool negated) {
    BooleanBit*& bit = bound_[boundResults_ + index];
    const std::size_t opAt = ComparisonOf(index);
    if (opAt == std::string_view::npos) {
        // A bit may have been added since the last look.
        if (bit == nullptr && bits_ != nullptr) {
            bit = bits_->Find(OpBitName(int(index)));
        }
        return bit != nullptr && bit->BitValue() != negated;
    }
    const std::string_view name = OpBitName(int(index));
    if (bit == nullptr && bits_ != nullptr) {
        bit = bits_->Find(name.substr(0, opAt));
    }
    if (bit == nullptr) {
        throw RuntimeError("The bit of the comparison " + std::string(name) + " does not exist");
    }
    // A comparison is never negated.
    const double number = bit->NumValue();
    const double against = LeadingNumber(name.substr(opAt + 1));
    const char comparison = name[opAt];
    return comparison == '='   ? number == against
           : comparison == '>' ? number > against
                               : number < against;
}

bool Statement::Fault() {
    if (!disable_) {
        disable_ = true;
        MoveScanEpoch();
        ProgramHost& host = TheProgramHost();
        host.StopRun();
        host.EditFaultyStatement(*this);
    }
    return false;
}

std::string AssignText(const Statement& statement) {
    return AssignText(statement.strStatement(), statement.names_.Results());
}

StatementRow Statement::LoadFrmStatements() const {
    StatementRow row;
    row.assign = "ASSIGN";
    row.expression = SpaceOperators(strStatement());
    row.results = ResultsText(names_.Results());
    if (!isFiltered_) {
        row.expressionColour = Result() ? StatementRow::Colour::Green : StatementRow::Colour::Black;
    }
    return row;
}

}  // namespace veldra
