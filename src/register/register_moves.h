#pragma once

// Where the four arrows of the register window go. The rule is asymmetric on purpose: from a card not yet stored
// (position 0) both Next and Previous show card 1, and only Next empties the position of an empty year.
enum class RegisterMove
{
    First,
    Previous,
    Next,
    Last
};

struct RegisterMoveResult
{
    int show = 0;               // the card to show (1-based); 0 shows none
    bool emptyYear = false;     // tell the user the year holds no card
    bool clearPosition = false; // the position on screen becomes empty
};

// `count` cards in the year file, `position` 0 for a card not stored.
RegisterMoveResult registerMove(RegisterMove move, int count, int position);
