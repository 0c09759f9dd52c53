#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "logic/model_error.h"

namespace veldra {

class BooleanBits;
class LoaderHost;
class ProgramEngine;
class Statements;
class clsNumericBlocks;

// What every section reader works with while one source is read: the program window's
// collections it fills, the windows it reports to, and the line the current piece comes
// from, which each error message names.
class LoadContext {
public:
    LoadContext(ProgramEngine& engine, LoaderHost& host) : engine_(engine), host_(host) {}

    ProgramEngine& Engine() const { return engine_; }
    LoaderHost& Host() const { return host_; }

    // The program's collections, each made when the program window has none yet. They are
    // fetched afresh for every piece: the desktop may run between two pieces.
    BooleanBits& ProgramBits() const;
    Statements& Assigns() const;
    clsNumericBlocks& NumericBlocks() const;

    // How many bits and statements the source is expected to make, as its census counted
    // them: the collections the load makes are made with room for that many at once.
    void ExpectItems(std::uint64_t bits, std::uint64_t statements) {
        expectedBits_ = bits;
        expectedStatements_ = statements;
    }

    int Line() const { return line_; }
    void SetLine(int line) { line_ = line; }
    // The file read, which each error message names beside the line; none for a text
    // given as it stands.
    void SetSourcePath(std::string path) { sourcePath_ = std::move(path); }
    // The description of a failure with the file and the line it was found on.
    std::string AtLine(std::string_view what) const { return AtLine(what, line_); }
    std::string AtLine(std::string_view what, int line) const;
    // Reports a failure the readers find on `line` in the model's "End Program?" question,
    // as `Guard` does.
    void Report(std::string_view what, int line) const;

    // Runs a section reader's work on one piece under the readers' error rule: a failure
    // is reported with its line in the model's "End Program?" question and the rest of
    // the piece is passed over. True when the work ran to its end.
    template <class Body>
    bool Guard(Body&& body) const {
        try {
            std::forward<Body>(body)();
            return true;
        } catch (const std::exception& error) {
            if (EndsTheLoad(error)) {
                throw;
            }
            Report(error.what(), line_);
            return false;
        }
    }

private:
    ProgramEngine& engine_;
    LoaderHost& host_;
    int line_ = 0;
    std::string sourcePath_;
    std::uint64_t expectedBits_ = 0;
    std::uint64_t expectedStatements_ = 0;
};

}  // namespace veldra
