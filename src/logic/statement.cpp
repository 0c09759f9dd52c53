#include "logic/statement.h"

#include <algorithm>

#include "logic/boolean_bits.h"
#include "logic/model_error.h"
#include "logic/numbers.h"
#include "logic/program_host.h"
#include "logic/statement_parser.h"
#include "logic/statements.h"
#include "logic/text_helpers.h"
#include "platform/ascii_text.h"
#include "platform/runtime_error.h"

namespace veldra {
namespace {

std::string_view At(const std::vector<std::string>& names, int index) {
    return index >= 0 && index < static_cast<int>(names.size())
               ? std::string_view(names[std::size_t(index)])
               : std::string_view();
}

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
        const std::string& firstBefore =
            beforeReset_ ? beforeReset_->results.front() : results_.front();
        const std::string& firstAfter = parsed.results.front();
        if (parent_ != nullptr && !isNumeric_ && !EqualsIgnoringCase(firstBefore, firstAfter) &&
            !parent_->TakeNewKey(*this, firstAfter)) {
            if (beforeReset_) {
                expression_ = std::move(beforeReset_->expression);
                results_ = std::move(beforeReset_->results);
                operands_ = std::move(beforeReset_->operands);
                result_ = beforeReset_->result;
                beforeReset_.reset();
                Initialize();
            }
            return false;
        }
        expression_ = std::move(parsed.expression);
        results_ = std::move(parsed.results);
        operands_ = std::move(parsed.operands);
        beforeReset_.reset();
        Initialize();
        return true;
    });
}

std::string_view Statement::ResultBitName(int index) const {
    return At(results_, index);
}

std::string_view Statement::OpBitName(int index) const {
    return At(operands_, index);
}

void Statement::SetIsNumeric(bool on) {
    isNumeric_ = on;
    Initialize();  // comparisons are operands only in numeric statements
}

void Statement::SetIsDisplayed(bool on) {
    const bool was = IsDisplayed();
    if (on) {
        ++displayedBy_;
    } else if (displayedBy_ > 0) {
        --displayedBy_;
    }
    if (parent_ != nullptr && IsDisplayed() != was) {
        parent_->DisplayedChanged(!was);
    }
}

void Statement::SetParent(Statements* parent) {
    if (parent == parent_) {
        return;
    }
    if (parent_ != nullptr && IsDisplayed()) {
        parent_->DisplayedChanged(false);
    }
    parent_ = parent;
    if (parent_ != nullptr && IsDisplayed()) {
        parent_->DisplayedChanged(true);
    }
}

void Statement::SetBits(BooleanBits* bits) {
    bits_ = bits;
    Initialize();
}

void Statement::Initialize() {
    built_ = false;
    contacts_.reset();
    ++revision_;
    ++scanEpoch_;
}

void Statement::Prepare() {
    if (!built_) {
        Build();
    }
}

const Expression* Statement::Prepared() {
    Prepare();
    if (bits_ != nullptr && bits_->Generation() != boundGeneration_) {
        Bind();  // a bit has left since: find the operands again
    }
    return tree_.Valid() && tree_.Cost() <= kMaxEvaluationSteps && !isNumeric_ ? &tree_ : nullptr;
}

const std::vector<Contacts>& Statement::OperandContacts() const {
    if (!contacts_) {
        contacts_ = ReadContacts(expression_, operands_);
    }
    return *contacts_;
}

void Statement::ResetStatement() {
    if (!beforeReset_) {
        beforeReset_ = Saved{expression_, results_, operands_, result_};
    }
    results_.assign(1, std::string());
    operands_.assign(1, std::string());
    expression_.clear();
    result_ = false;
    Initialize();
}

void Statement::OpBitChange(std::string_view bitName, bool value) {
    for (int i = 0; i <= UboundOpBit(); ++i) {
        if (operands_[std::size_t(i)] == bitName) {
            OpBitChanged.Raise(i, value);
        }
    }
}

bool Statement::BitUsed(std::string_view bitName) const {
    const auto equal = [&](const std::string& name) { return name == bitName; };
    return std::any_of(operands_.begin(), operands_.end(), equal) ||
           std::any_of(results_.begin(), results_.end(), equal);
}

bool Statement::IsBack(std::string_view bitName) const {
    return ReadsBackContact(expression_, bitName);
}

bool Statement::IsFront(std::string_view bitName) const {
    return ReadsFrontContact(expression_, bitName);
}

bool Statement::Solve() {
    // A listener that solves the statement again from inside its own solve gets nothing:
    // the evaluation in progress owns the statement's scratch state.
    if (disable_ || solving_) {
        return false;
    }
    const SolvingMark mark(solving_);
    try {
        if (!built_) {
            Build();
        }
        if (!tree_.Valid() || tree_.Cost() > kMaxEvaluationSteps) {
            return Fault();
        }
        if (bits_ != nullptr && bits_->Generation() != boundGeneration_) {
            Bind();
        }
        StoreResult(tree_.Evaluate(
            [this](std::uint32_t index, bool negated) { return ReadOperand(index, negated); },
            [this](std::string_view group, bool value) { GroupChanged.Raise(group, value); }));
        Announce();
        return true;
    } catch (const std::exception&) {
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
    if (StatementChanged.HasSubscribers()) {  // the name is not looked at for nobody
        StatementChanged.Raise(result_, ResultBitName(0));
    }
    if (parent_ != nullptr) {
        parent_->ForwardStatementChanged(*this);
    }
}

void Statement::Build() {
    tree_ = Expression::Parse(expression_, operands_);
    built_ = true;
    Bind();
}

void Statement::Bind() {
    bound_.assign(operands_.size(), Operand{});
    boundGeneration_ = bits_ != nullptr ? bits_->Generation() : 0;
    resultBits_.clear();
    for (const std::string& result : results_) {
        resultBits_.push_back(bits_ != nullptr ? bits_->Find(result) : nullptr);
    }
    for (std::size_t i = 0; i < operands_.size(); ++i) {
        const std::string& name = operands_[i];
        Operand& operand = bound_[i];
        if (BooleanBit* bit = bits_ != nullptr ? bits_->Find(name) : nullptr) {
            operand.source = Operand::Source::Bit;
            operand.bit = bit;
            continue;
        }
        const std::size_t opAt = isNumeric_ ? ComparisonAt(name) : std::string::npos;
        if (opAt == std::string::npos) {
            continue;  // names no bit: reads False
        }
        operand.source = Operand::Source::Comparison;
        operand.comparison = name[opAt];
        operand.number = LeadingNumber(std::string_view(name).substr(opAt + 1));
        operand.bit =
            bits_ != nullptr ? bits_->Find(std::string_view(name).substr(0, opAt)) : nullptr;
        operand.nameLength = static_cast<std::uint32_t>(opAt);
    }
}

bool Statement::ReadOperand(std::uint32_t index, bool negated) {
    Operand& operand = bound_[index];
    switch (operand.source) {
        case Operand::Source::Bit:
            return operand.bit->BitValue() != negated;
        case Operand::Source::Comparison: {
            if (operand.bit == nullptr && bits_ != nullptr) {
                operand.bit =
                    bits_->Find(std::string_view(operands_[index]).substr(0, operand.nameLength));
            }
            if (operand.bit == nullptr) {
                throw RuntimeError("The bit of the comparison " + operands_[index] +
                                   " does not exist");
            }
            // A comparison is never negated.
            const double number = operand.bit->NumValue();
            return operand.comparison == '='   ? number == operand.number
                   : operand.comparison == '>' ? number > operand.number
                                               : number < operand.number;
        }
        case Operand::Source::Nothing:
            // A bit may have been added since the last look.
            if (BooleanBit* bit = bits_ != nullptr ? bits_->Find(operands_[index]) : nullptr) {
                operand.source = Operand::Source::Bit;
                operand.bit = bit;
                return bit->BitValue() != negated;
            }
            return false;
    }
    return false;
}

bool Statement::Fault() {
    if (!disable_) {
        disable_ = true;
        ++scanEpoch_;
        ProgramHost& host = TheProgramHost();
        host.StopRun();
        host.EditFaultyStatement(*this);
    }
    return false;
}

std::string AssignText(const Statement& statement) {
    return AssignText(statement.strStatement(), statement.results_);
}

StatementRow Statement::LoadFrmStatements() const {
    StatementRow row;
    row.assign = "ASSIGN";
    row.expression = SpaceOperators(expression_);
    row.results = ResultsText(results_);
    if (!isFiltered_) {
        row.expressionColour = result_ ? StatementRow::Colour::Green : StatementRow::Colour::Black;
    }
    return row;
}

}  // namespace veldra
