#include "register/register_moves.h"

RegisterMoveResult registerMove(RegisterMove move, int count, int position)
{
    RegisterMoveResult r;
    switch (move) {
    case RegisterMove::First:
        if (count == 0)
            r.emptyYear = true;
        else
            r.show = 1;
        break;
    case RegisterMove::Last:
        if (count == 0)
            r.emptyYear = true;
        else
            r.show = count;
        break;
    case RegisterMove::Next:
        if (count == 0) {
            r.emptyYear = true;
            r.clearPosition = true;
        } else if (position < count) {
            r.show = position + 1;
        }
        break;
    case RegisterMove::Previous:
        if (position == 1)
            break;
        if (count == 0)
            r.emptyYear = true;
        else
            r.show = position <= 2 ? 1 : position - 1;
        break;
    }
    return r;
}
