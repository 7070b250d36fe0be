#include "common/record_moves.h"

namespace RecordMoves {

Step step(Move move, int position, int count)
{
    using Kind = Step::Kind;
    // Previous from the first record is tested before anything else: not even an empty archive is reported.
    if (move == Move::Previous && position == 1)
        return {Kind::Stay};
    if (count == 0)
        return {Kind::Empty, 0, move == Move::Next};
    switch (move) {
    case Move::First:
        return {Kind::Show, 1};
    case Move::Last:
        return {Kind::Show, count};
    case Move::Previous:
        return {Kind::Show, position == 0 ? 1 : position - 1};
    case Move::Next:
        if (position == 0)
            return {Kind::Show, 1};
        return position < count ? Step{Kind::Show, position + 1} : Step{Kind::Stay};
    }
    return {Kind::Stay};
}

} // namespace RecordMoves
