#include "engine/program_engine.h"

#include <algorithm>

#include "engine/program_window.h"
#include "platform/ascii_text.h"
#include "platform/load_under_way.h"
#include "platform/memory_room.h"
#include "platform/platform.h"

namespace veldra {

BooleanBit* ProgramEngine::CreateMissingInputBit(std::string_view name) {
    // An empty name (a statement whose text lost its operands) names no bit at all.
    if (name.empty()) {
        return nullptr;
    }
    BooleanBit* bit = prgBooleanBits_->Item(name);
    return bit != nullptr ? bit : prgBooleanBits_->AddIO(name, false, false);
}

namespace {

// How many yields of load completion pass between two looks at the memory left: a yield
// comes with each statement (which may make a few bits, some 1.3 kB) or board window, so
// some 1.3 MB are taken meanwhile, well within the desktop's reserve; a look costs some
// 20 µs.
constexpr int kYieldsPerMemoryLook = 1024;

// Thrown from a yield of a load whose program was closed meanwhile: the load unwinds to
// its start and ends there, touching nothing of the program again.
struct LoadAbandoned {};

}  // namespace

void ProgramEngine::YieldDuringLoad() {
    window_.DoEvents();
    if (releaseRequested_) {
        throw LoadAbandoned{};
    }
    // The bits made here for names that no section declared, and the board windows'
    // indicators, were not reckoned by the check before reading: they stop while the desktop
    // can still say so, not once every allocation fails.
    if (LoadUnderWay() && ++yieldsSinceMemoryLook_ >= kYieldsPerMemoryLook) {
        yieldsSinceMemoryLook_ = 0;
        RequireDesktopReserve();
    }
}

void ProgramEngine::LoadFinished(const std::vector<BoardPanel*>& windows) {
    const Hold hold(*this);
    yieldsSinceMemoryLook_ = 0;
    try {
        BindLoadedProgram(windows);
        MapBitsHeld();
    } catch (const LoadAbandoned&) {
        ThePlatform().UnloadLoadingProgress();
    }
}

void ProgramEngine::MapBits() {
    const Hold hold(*this);
    try {
        MapBitsHeld();
    } catch (const LoadAbandoned&) {
        ThePlatform().UnloadLoadingProgress();
    }
}

void ProgramEngine::BindLoadedProgram(const std::vector<BoardPanel*>& windows) {
    Platform& platform = ThePlatform();
    window_.ShowMinimized(true);
    platform.UnloadLoadingProgress();
    YieldDuringLoad();
    platform.SetLoadingProgress(0, double(windows.size()));
    platform.SetLoadingStatus("Finding IO...");
    if (!prgBooleanBits_) {
        prgBooleanBits_ = std::make_unique<BooleanBits>();
    }

    IOBits.ClearAims();
    aimedAt_ = nullptr;
    const BoundRows rows = BindBoardBits(windows);

    for (int led = 1; led <= CpuBoard::kLeds; ++led) {
        const std::string name = "LED." + std::to_string(led);
        BooleanBit* bit = prgBooleanBits_->Item(name);
        if (bit == nullptr) {
            bit = prgBooleanBits_->Add(name, false, false, 0, 0, true);
        }
        bit->SetIsFormBit(true);
        bit->SetFormIndex(&cpu_);
    }

    window_.ReleaseLog();
    displays_.userBits.clear();
    displays_.userNumerics.clear();
    AddUserBits();

    for (std::size_t w = 0; w < windows.size(); ++w) {
        BoardPanel* window = windows[w];
        YieldDuringLoad();
        // The boxes that post their bits as the indicators are made post them here, after
        // the bits were bound: each input is told which of the window's bits it is for.
        const int before = IOBits.Count();
        window->CreateimgIndic();
        platform.SetLoadingStatus("Creating Board Images For " + window->Caption());
        window->UpdateIndicators();
        AimNewInputs(rows, w, before);
    }

    platform.SetLoadingStatus("Searching for Unkown BitNames....");
    CompleteTables();
    CompleteNumericBlocks();
    if (prgBooleanBits_->Item("CPS.STATUS") == nullptr) {
        prgBooleanBits_->Add("CPS.STATUS", false);
    }
}

ProgramEngine::BoundRows ProgramEngine::BindBoardBits(const std::vector<BoardPanel*>& windows) {
    BoundRows rows;
    rows.generation = prgBooleanBits_->Generation();
    rows.begins.reserve(windows.size() + 1);
    rows.begins.push_back(0);
    for (BoardPanel* window : windows) {
        rows.begins.push_back(rows.begins.back() + std::uint32_t(std::max(window->BitCount(), 0)));
    }
    rows.slots.assign(rows.begins.back(), ScanMap::kNone);
    // Newest to oldest, each binding overwriting the one before: a name that several
    // windows report ends up bound to the oldest of them.
    int done = 0;
    for (std::size_t w = windows.size(); w-- > 0;) {
        BoardPanel& window = *windows[w];
        YieldDuringLoad();
        const int count = std::min(window.BitCount(), int(rows.begins[w + 1] - rows.begins[w]));
        // Where the window's order stays as it is now, a push finds each bit's row by it.
        const std::uint32_t revision = window.RowsRevision();
        for (int j = 1; j <= count; ++j) {
            const std::string name = window.GetSystemBit(j);
            if (name.empty() || name == "SPARE") {
                continue;
            }
            BooleanBit* bit = prgBooleanBits_->Item(name);
            if (bit == nullptr) {
                bit = prgBooleanBits_->AddIO(name, true, false);
            }
            bit->SetIsFormBit(true);
            bit->SetFormIndex(&window, j, revision);
            rows.slots[rows.begins[w] + std::uint32_t(j - 1)] = bit->Slot();
        }
        ThePlatform().SetLoadingProgress(++done, double(windows.size()));
        YieldDuringLoad();
    }
    return rows;
}

void ProgramEngine::AimNewInputs(const BoundRows& rows, std::size_t w, int before) {
    // Only while no bit has left since the rows were bound: their slots are then still
    // their bits'.
    if (prgBooleanBits_->Generation() != rows.generation) {
        aimedAt_ = nullptr;
        return;
    }
    for (int i = before + 1; i <= IOBits.Count(); ++i) {
        const PendingInput* pending = IOBits.Find(i);
        if (pending == nullptr) {
            continue;
        }
        // A board's own bits come last in its rows: its ".ENABLED" bit is found first.
        for (std::uint32_t at = rows.begins[w + 1]; at-- > rows.begins[w];) {
            const std::uint32_t slot = rows.slots[at];
            if (slot != ScanMap::kNone &&
                EqualsIgnoringCase(prgBooleanBits_->BitAt(slot)->BitName(), pending->BitName())) {
                IOBits.Aim(i, slot);
                break;
            }
        }
    }
    aimedAt_ = prgBooleanBits_.get();
    aimedGeneration_ = rows.generation;
}

void ProgramEngine::AddUserBits() {
    for (const UserBit& user : prgUserBits) {
        if (user.BitName.empty()) {
            continue;
        }
        if (!user.IsNumeric) {
            // A name that is already a bit keeps its bit and value, but is listed.
            prgBooleanBits_->AddIO(user.BitName, false, user.BitValue);
            displays_.userBits.push_back(user.BitName);
            continue;
        }
        displays_.userNumerics.push_back(user.BitName + " = " + std::to_string(user.Numeric));
        BooleanBit* bit = prgBooleanBits_->Add(user.BitName, false);
        if (bit == nullptr) {
            bit = prgBooleanBits_->Find(user.BitName);  // already a bit: that bit carries it
        }
        bit->SetIsNumeric(true);
        bit->SetNumValue(user.Numeric, true);
    }
}

void ProgramEngine::CompleteTables() {
    if (prgTables.Count() == 0) {
        return;
    }
    Platform& platform = ThePlatform();
    const double tables = prgTables.Count();
    platform.SetLoadingProgress(0, tables);
    YieldDuringLoad();
    int done = 0;
    for (Table& table : prgTables) {
        YieldDuringLoad();
        for (const Trigger& trigger : table.TriggerList()) {
            BooleanBit* bit = CreateMissingInputBit(trigger.BitName);
            if (bit == nullptr) {
                continue;
            }
            bit->SetIsTrigger(true);
            bit->SetvTables(&prgTables);
        }
        platform.SetLoadingProgress(++done, tables);
        YieldDuringLoad();
        table.SetBits(prgBooleanBits_.get());
    }
    const auto createColumns = [&](auto columns) {
        platform.SetLoadingProgress(0, tables);
        int counted = 0;
        for (Table& table : prgTables) {
            YieldDuringLoad();
            for (const auto& cell : columns(table)) {
                CreateMissingInputBit(cell.BitName);
            }
            platform.SetLoadingProgress(++counted, tables);
            YieldDuringLoad();
        }
    };
    createColumns([](Table& table) -> const stInputs& { return table.Layout().Inputs(); });
    createColumns([](Table& table) -> const stOutputs& { return table.Layout().Outputs(); });
}

void ProgramEngine::CompleteNumericBlocks() {
    if (!prgNumBlks || prgNumBlks->Count() == 0) {
        return;
    }
    for (int i = 1; i <= prgNumBlks->Count(); ++i) {
        ThePlatform().SetLoadingProgress(i, prgNumBlks->Count());
        YieldDuringLoad();
        for (const Trigger& trigger : prgNumBlks->Item(i)->TriggerList()) {
            if (trigger.BitName.empty()) {
                continue;
            }
            BooleanBit* bit = prgBooleanBits_->Item(trigger.BitName);
            if (bit == nullptr) {
                bit = prgBooleanBits_->Add(trigger.BitName, false);
            }
            bit->SetvNumBlocks(prgNumBlks.get());
            bit->SetIsTrigger(true);
        }
    }
}

void ProgramEngine::MapBitsHeld() {
    Platform& platform = ThePlatform();
    if (!prgAssigns) {
        platform.UnloadLoadingProgress();
        MsgBox("Load Failed", MsgButtons::Ok, MsgIcon::Critical, "Invalid File");
        platform.EndApplication();
        return;
    }
    if (!prgBooleanBits_) {
        prgBooleanBits_ = std::make_unique<BooleanBits>();
    }
    // Mapping starts from nothing, whoever calls it: a statement removed or edited since
    // the last mapping leaves no reader entry, no assigned mark and no pointer behind.
    for (BooleanBit& bit : *prgBooleanBits_) {
        bit.ResetAssigns();
        bit.SetIsAssigned(false);
    }

    const double statements = prgAssigns->Count();
    platform.SetLoadingStatus("Searching for Unkown BitNames....");
    platform.SetLoadingProgress(0, statements);

    int done = 0;
    for (Statement& statement : *prgAssigns) {
        YieldDuringLoad();
        for (int k = 0; k <= statement.UboundResults(); ++k) {
            const std::string_view name = statement.ResultBitName(k);
            if (BooleanBit* bit = CreateMissingInputBit(name)) {
                bit->SetIsAssigned(true);
            }
        }
        platform.SetLoadingProgress(++done, statements);
    }
    done = 0;
    for (Statement& statement : *prgAssigns) {
        YieldDuringLoad();
        for (int k = 0; k <= statement.UboundOpBit(); ++k) {
            CreateMissingInputBit(statement.OpBitName(k));
        }
        statement.SetBits(prgBooleanBits_.get());
        platform.SetLoadingProgress(++done, statements);
    }
    if (prgNumBlks) {
        for (clsNumericBlock& block : *prgNumBlks) {
            for (Statement& statement : block.LogicStatments()) {
                statement.SetBits(prgBooleanBits_.get());
            }
        }
    }

    platform.SetLoadingStatus("Mapping Bits....");
    done = 0;
    for (Statement& statement : *prgAssigns) {
        YieldDuringLoad();
        statement.Initialize();
        statement.BindOperands();
        // The operand names of a statement are distinct: each bit records it once.
        const std::vector<Contacts>& contacts = statement.OperandContacts();
        for (int k = 0; k <= statement.UboundOpBit(); ++k) {
            if (BooleanBit* bit = statement.OperandBit(k)) {
                bit->Assigns(statement, contacts[std::size_t(k)]);
            }
        }
        platform.SetLoadingProgress(++done, statements);
    }
    for (BooleanBit& bit : *prgBooleanBits_) {
        bit.SetRung(prgAssigns.get());
    }
    Remap();  // queued statements are found again in the new layout

    YieldDuringLoad();
    // The windows' share of the program comes next, in one step, each bit a row of the
    // status grid: it starts with the desktop's reserve free, or not at all.
    if (LoadUnderWay()) {
        RequireDesktopReserve();
    }
    platform.SetLoadingStatus("Building Displays....");
    window_.SetBusy(true);
    BuildDisplays();
    window_.SetBusy(false);
    platform.UnloadLoadingProgress();
    window_.ShowMinimized(false);
}

void ProgramEngine::BuildDisplays() {
    // Rebuilt from scratch each time, so that mapping again after an edit neither
    // duplicates lines nor loses the user lists built when the program loaded.
    displays_.statusRows.clear();
    displays_.timerBits.clear();
    displays_.numericBits.clear();
    // Made to size once: a large program's lists would otherwise be copied as they grow.
    std::size_t characters = 0;
    for (const BooleanBit& bit : *prgBooleanBits_) {
        characters += bit.IsNumeric() ? 0 : bit.BitName().size();
    }
    displays_.statusRows.reserve(std::size_t(prgBooleanBits_->Count()), characters);
    for (BooleanBit& bit : *prgBooleanBits_) {
        if (bit.IsNumeric()) {
            bit.SetvIndex(-1);  // no grid row: a Boolean change of it colours nothing
            displays_.numericBits.push_back(bit.BitName() + " = " + std::to_string(bit.NumValue()));
            continue;
        }
        bit.SetvIndex(std::int32_t(displays_.statusRows.size()));
        displays_.statusRows.push_back(bit.BitName());
        if (bit.IsTimer()) {
            displays_.timerBits.push_back(bit.BitName());
        }
    }
    window_.DisplaysChanged();
}

void ProgramEngine::CloseWindow() {
    // The timers, queues and collections go with the program, at once or, while a scan or
    // a load still uses them, once it has unwound.
    StatementsQueued = false;
    window_.ReleaseLog();
    ReleaseProgram();
}

}  // namespace veldra
