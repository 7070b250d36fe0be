#pragma once

// The four arrows of the windows that browse an archive one record at a time: which record a move shows, given the
// number of the record on screen (0 for one not yet stored) and the number of records in the file.
namespace RecordMoves {

enum class Move
{
    First,
    Previous,
    Next,
    Last
};

struct Step
{
    enum class Kind
    {
        Stay,  // nothing happens, not even a message
        Show,  // show record `number`
        Empty, // the archive holds no record: say so
    };
    Kind kind = Kind::Stay;
    int number = 0;
    // Next on an empty archive also forgets the record on screen, so a later save appends.
    bool forgetPosition = false;
};

Step step(Move move, int position, int count);

} // namespace RecordMoves
