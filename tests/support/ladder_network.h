#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ladder/elements.h"
#include "ladder/ladder_drawing.h"

namespace veldra::testing {

// A drawn ladder read back as an electrical network, the way an engineer reads the page:
// the lines the cells draw are joined wherever one ends on another into conductors, each
// contact is a switch between the ends of its two stubs, and the rung is energised when
// current passes from the left edge to the first coil. It knows nothing of the builder.
class LadderNetwork {
public:
    // The cells at full size, not in relay form.
    explicit LadderNetwork(const Elements& cells) {
        Collect(cells);
        Join();
    }

    // Whether the first coil is energised, with each contact's operand read by `up(name)`.
    // A contact named "A@B" takes the exclusive or of its operands.
    template <class Up>
    bool Energised(Up&& up) const {
        std::vector<int> parent(static_cast<std::size_t>(nodeCount_));
        std::iota(parent.begin(), parent.end(), 0);
        for (const Switch& contact : switches_) {
            bool value = false;
            for (const std::string& operand : contact.operands) {
                value = value != bool(up(operand));
            }
            if (value != contact.back) {
                Unite(parent, contact.from, contact.to);
            }
        }
        return coil_ >= 0 && Find(parent, source_) == Find(parent, coil_);
    }

    // The names every contact reads, each once.
    std::vector<std::string> Operands() const {
        std::vector<std::string> names;
        for (const Switch& contact : switches_) {
            names.insert(names.end(), contact.operands.begin(), contact.operands.end());
        }
        std::sort(names.begin(), names.end());
        names.erase(std::unique(names.begin(), names.end()), names.end());
        return names;
    }

private:
    using Point = std::pair<std::int64_t, std::int64_t>;
    struct Segment {
        Point a;
        Point b;
    };
    // A cell's column and row: every line a cell draws lies within its own box.
    using Place = std::pair<int, int>;
    struct Switch {
        int from = 0;
        int to = 0;
        std::vector<std::string> operands;
        bool back = false;
    };
    struct PendingSwitch {
        Point from;
        Point to;
        std::vector<std::string> operands;
        bool back = false;
    };

    // Every line of one cell, as it is drawn.
    class Lines final : public LadderDrawing {
    public:
        std::vector<Segment> segments;
        void DrawLine(double X1, double X2, double Y1, double Y2, bool) override {
            segments.push_back({{Round(X1), Round(Y1)}, {Round(X2), Round(Y2)}});
        }
        void DrawLineR(double, double, double, double, bool) override {}
        void PrintText(double, double, std::string_view) override {}
        void ShowSelection(double, double, double, double, bool) override {}
        void DrawOutput(double, double, double, double, double) override {}
    };

    static std::int64_t Round(double value) { return std::llround(value); }

    static std::vector<std::string> OperandsOf(const std::string& name) {
        std::vector<std::string> operands;
        std::size_t from = 0;
        for (std::size_t at; (at = name.find('@', from)) != std::string::npos; from = at + 1) {
            operands.push_back(name.substr(from, at - from));
        }
        operands.push_back(name.substr(from));
        return operands;
    }

    void Collect(const Elements& cells) {
        for (const auto& cell : cells) {
            Lines lines;
            cell->UpdateDrawing(lines);
            const std::int64_t x = Round(cell->CurrentX());
            const std::int64_t y = Round(cell->CurrentY());
            const bool contact = !cell->Name.empty() && !cell->IsOutput;
            const Point left{x + 600, y + 600};
            const Point right{x + 960, y + 600};
            for (const Segment& line : lines.segments) {
                // The contact's own symbol stands between its stubs and carries nothing.
                const bool symbol = contact && std::min(line.a.first, line.b.first) >= left.first &&
                                    std::max(line.a.first, line.b.first) <= right.first;
                if (!symbol) {
                    byCell_[{cell->Col(), cell->Row()}].push_back(int(segments_.size()));
                    segments_.push_back(line);
                }
            }
            if (contact) {
                pending_.push_back({left, right, OperandsOf(cell->Name), cell->Back()});
            } else if (cell->IsOutput && cell->Row() == 0 && !coilAt_) {
                coilAt_ = left;
            }
        }
    }

    static bool OnSegment(const Point& p, const Segment& s) {
        return p.first >= std::min(s.a.first, s.b.first) &&
               p.first <= std::max(s.a.first, s.b.first) &&
               p.second >= std::min(s.a.second, s.b.second) &&
               p.second <= std::max(s.a.second, s.b.second) &&
               (s.a.first == s.b.first || s.a.second == s.b.second);
    }

    // The lines a point lies on: only those of the cells whose box holds the point.
    template <class Visit>
    void ForEachSegmentAt(const Point& p, Visit&& visit) const {
        const auto col = int(p.first / std::int64_t(Element::kWidth));
        const auto row = int(p.second / std::int64_t(Element::kHeight));
        for (const int c : {col - 1, col}) {
            for (const int r : {row - 1, row}) {
                const auto found = byCell_.find({c, r});
                if (found == byCell_.end()) {
                    continue;
                }
                for (const int i : found->second) {
                    if (OnSegment(p, segments_[std::size_t(i)]) && !visit(i)) {
                        return;
                    }
                }
            }
        }
    }

    // The conductor a point lies on, or a node of its own when no line reaches it.
    int NodeAt(const Point& p, std::vector<int>& parent) {
        int on = -1;
        ForEachSegmentAt(p, [&](int i) {
            on = i;
            return false;
        });
        if (on >= 0) {
            return Find(parent, on);
        }
        parent.push_back(int(parent.size()));
        return int(parent.size()) - 1;
    }

    void Join() {
        std::vector<int> parent(segments_.size() + 1);
        std::iota(parent.begin(), parent.end(), 0);
        const int edge = int(segments_.size());  // the left edge every first column starts on
        for (std::size_t i = 0; i < segments_.size(); ++i) {
            for (const Point& end : {segments_[i].a, segments_[i].b}) {
                if (end.first == 0) {
                    Unite(parent, int(i), edge);
                }
                ForEachSegmentAt(end, [&](int j) {
                    Unite(parent, int(i), j);
                    return true;
                });
            }
        }
        for (PendingSwitch& contact : pending_) {
            const int from = NodeAt(contact.from, parent);
            const int to = NodeAt(contact.to, parent);
            switches_.push_back({from, to, std::move(contact.operands), contact.back});
        }
        if (coilAt_) {
            coil_ = NodeAt(*coilAt_, parent);
        }
        // Nodes are renumbered as their conductors, so that each reading starts apart.
        std::map<int, int> number;
        const auto renumber = [&](int node) {
            return number.try_emplace(Find(parent, node), int(number.size())).first->second;
        };
        for (Switch& contact : switches_) {
            contact.from = renumber(contact.from);
            contact.to = renumber(contact.to);
        }
        source_ = renumber(edge);
        if (coil_ >= 0) {
            coil_ = renumber(coil_);
        }
        nodeCount_ = int(number.size());
    }

    static int Find(std::vector<int>& parent, int node) {
        while (parent[std::size_t(node)] != node) {
            node = parent[std::size_t(node)] = parent[std::size_t(parent[std::size_t(node)])];
        }
        return node;
    }
    static void Unite(std::vector<int>& parent, int a, int b) {
        parent[std::size_t(Find(parent, a))] = Find(parent, b);
    }

    std::vector<Segment> segments_;
    std::map<Place, std::vector<int>> byCell_;
    std::vector<PendingSwitch> pending_;
    std::vector<Switch> switches_;
    std::optional<Point> coilAt_;  // where the first coil's stub ends
    int source_ = 0;
    int coil_ = -1;
    int nodeCount_ = 0;
};

}  // namespace veldra::testing
