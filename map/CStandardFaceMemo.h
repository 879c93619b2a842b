#pragma once

#include "map/IntPoint.h"
#include "map/PlaneTurn.h"

#include <cstdint>
#include <memory>

// What texture lock makes of standard faces under one move or one turn of
// many brushes. Of a face, that edit's outcome depends, but for the offsets
// the face had, only on its kind: the axis planes nearest to it before and
// after, and its rotation and scales. A map has few kinds of face; each is
// worked out once for the edit and taken from here for every other face of
// its kind, a hundred thousand brushes turned at once ask for it millions of
// times.
class CStandardFaceMemo {
public:
    struct Kind {
        int planeBefore = 0; // NearestAxisPlane
        int planeAfter = 0;
        double rotation = 0.0;
        double xScale = 1.0;
        double yScale = 1.0;
    };
    // The numbers a face of the kind gets: the offsets by adding the shifts.
    struct Outcome {
        double xShift = 0.0;
        double yShift = 0.0;
        double rotation = 0.0;
        double xScale = 1.0;
        double yScale = 1.0;
    };

    // What the memo holds is for the edit it is told of last; telling it of
    // another one forgets everything.
    void ServeMove(const IntPoint& delta);
    void ServeTurn(const PlaneTurn& turn);

    // Null when the kind was not kept, or another kind took its place.
    const Outcome* Find(const Kind& kind) const;
    void Keep(const Kind& kind, const Outcome& outcome);

private:
    struct Entry {
        Kind kind;
        Outcome outcome;
        bool used = false;
    };
    // Enough for the kinds of a large map; two kinds that meet in one entry
    // take turns in it.
    static constexpr int kEntries = 256;

    void Forget();
    static size_t EntryOf(const Kind& kind);

    bool m_forTurn = false;
    PlaneTurn m_turn;
    IntPoint m_delta;
    std::unique_ptr<Entry[]> m_entries; // made at the first Keep
};
