// What a picked name does to the pieces, and what the handlers print.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/movement.h"
#include "core/roster.h"
#include "core/scene_state.h"
#include "interaction/selection_handlers.h"

namespace {

void place_on_start_fields()
{
    for (const PieceInfo &piece : roster) {
        *piece.movement = TMovement{};
        piece.movement->pos[0] = piece.movement->cur[0] = piece.x;
        piece.movement->pos[1] = piece.movement->cur[1] = piece.y;
        *piece.off = 0;
    }
}

const PieceInfo &piece_named(const char *name)
{
    for (const PieceInfo &piece : roster)
        if (std::strcmp(piece.name, name) == 0)
            return piece;
    ADD_FAILURE() << "no piece " << name;
    return roster[0];
}

std::string repeat(const std::string &text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

// Everything the handlers print for one picked name, in roster order.
std::string transcript_of(const char *name)
{
    testing::internal::CaptureStdout();
    handle_select_events(name);
    return testing::internal::GetCapturedStdout();
}

bool same_record(const TMovement &a, const TMovement &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class Handlers : public testing::Test {
protected:
    void SetUp() override
    {
        place_on_start_fields();
        myTime = 0.0;
    }
};

const std::string e5_line = "\n Pos: E5 = ( 0.50, 0.50)";
const std::string e5_block_from_b1_at_10 = "\n: Start: "
                                           "\n0: delta =  3.00  T1 = 10.00  T2 = 11.20   "
                                           "\n1: delta =  4.00  T1 = 10.40  T2 = 12.00   "
                                           "\n2: delta =  0.00  T1 = 10.80  T2 = 10.80   ";

// Each named handler acts on its own row, and only on it.
struct NamedHandler {
    void (*handler)(const char *);
    TMovement *movement;
    int *off;
    const char *name;
    const char *switch_name;
};
const NamedHandler named_handlers[] = {
#define NAMED_HANDLER_ROW(mov, off, init, draw, handler, name, switch_name, ...) {handler, &mov, &off, name, switch_name},
    SCHACH3D_ROSTER(NAMED_HANDLER_ROW)
#undef NAMED_HANDLER_ROW
};

TEST_F(Handlers, EachNamedHandlerArmsAndHidesOnlyItsOwnPiece)
{
    for (const NamedHandler &h : named_handlers) {
        SCOPED_TRACE(h.name);
        place_on_start_fields();
        testing::internal::CaptureStdout();
        h.handler(h.name);
        h.handler(h.switch_name);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), ""); // own names print nothing
        for (const PieceInfo &piece : roster) {
            const bool own = piece.movement == h.movement;
            EXPECT_EQ(piece.movement->state, own ? 1 : 0) << piece.name;
            EXPECT_EQ(*piece.off, own ? 1 : 0) << piece.name;
        }
        // Another piece's names mean nothing to this handler.
        const NamedHandler &other = &h == &named_handlers[0] ? named_handlers[1] : named_handlers[0];
        testing::internal::CaptureStdout();
        h.handler(other.name);
        h.handler(other.switch_name);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(h.movement->state, 1);
        EXPECT_EQ(*h.off, 1);
    }
}

TEST_F(Handlers, ClickingAnIdlePieceTwiceArmsItThenDisarmsItInPlace)
{
    const PieceInfo &pawn = piece_named("Bauer Nr. 11");
    const TMovement before = *pawn.movement;
    const std::string first = transcript_of("Bauer Nr. 11");
    EXPECT_EQ(pawn.movement->state, 1);
    transcript_of("Bauer Nr. 11");
    EXPECT_EQ(pawn.movement->state, 0);
    EXPECT_TRUE(same_record(*pawn.movement, before));
    // Thirty-one position lines: the pawn's own handler stays silent.
    EXPECT_EQ(first, repeat("\n Pos: Bauer Nr. 11 = (-2.50, 0.00)", 31));
}

TEST_F(Handlers, ArmedPieceSentToE5AtClockTenPrintsItsStartBlockBehindItsOwnLine)
{
    const PieceInfo &pawn = piece_named("Bauer Nr. 11");
    pawn.movement->state = 1;
    myTime = 10.0;
    const std::string out = transcript_of("E5");
    EXPECT_EQ(out, e5_line + e5_block_from_b1_at_10 + repeat(e5_line, 31));

    const TMovement &m = *pawn.movement;
    EXPECT_EQ(m.state, 2);
    EXPECT_FLOAT_EQ(m.delta[0], 3.0f);
    EXPECT_FLOAT_EQ(m.delta[1], 4.0f);
    EXPECT_FLOAT_EQ(m.delta[2], 0.0f);
    EXPECT_FLOAT_EQ(m.T1[1], 10.4f);
    EXPECT_FLOAT_EQ(m.T2[1], 12.0f);
    EXPECT_FLOAT_EQ(m.T1[2], m.T2[2]);
    // Nothing moves before the animation steps; the rest position is the start.
    EXPECT_FLOAT_EQ(m.pos[0], -2.5f);
    EXPECT_FLOAT_EQ(m.pos[1], -3.5f);

    // The move ends on E5 and the piece comes to rest there.
    for (float t = 10.0f; t < 12.5f; t += 0.02f)
        calc_axis_pos(t, pawn.movement);
    EXPECT_EQ(m.state, 0);
    EXPECT_FLOAT_EQ(m.pos[0], 0.5f);
    EXPECT_FLOAT_EQ(m.pos[1], 0.5f);
    EXPECT_FLOAT_EQ(m.cur[0], 0.5f);
    EXPECT_FLOAT_EQ(m.cur[1], 0.5f);
}

TEST_F(Handlers, OneFieldClickSendsEveryArmedPieceEachBlockBehindItsOwnLine)
{
    const PieceInfo &pawn = piece_named("Bauer Nr. 11");
    const PieceInfo &rook = piece_named("Turm Nr. 3"); // H8, row 26 of 32
    transcript_of("Bauer Nr. 11");
    transcript_of("Turm Nr. 3");
    myTime = 10.0;
    const std::string out = transcript_of("E5");
    const std::string rook_block = "\n: Start: "
                                   "\n0: delta = -3.00  T1 = 10.00  T2 = 11.20   "
                                   "\n1: delta = -3.00  T1 = 10.40  T2 = 11.60   "
                                   "\n2: delta =  0.00  T1 = 10.80  T2 = 10.80   ";
    EXPECT_EQ(out, e5_line + e5_block_from_b1_at_10 + repeat(e5_line, 24) + e5_line + rook_block +
                       repeat(e5_line, 6));
    EXPECT_EQ(pawn.movement->state, 2);
    EXPECT_EQ(rook.movement->state, 2);
    for (const PieceInfo &piece : roster)
        if (&piece != &pawn && &piece != &rook) {
            EXPECT_EQ(piece.movement->state, 0) << piece.name;
        }
}

TEST_F(Handlers, FieldNamesMoveNeitherIdleNorMovingPieces)
{
    const PieceInfo &pawn = piece_named("Bauer Nr. 11");
    pawn.movement->state = 1;
    myTime = 10.0;
    transcript_of("E5");
    calc_axis_pos(10.3f, pawn.movement);
    const TMovement moving = *pawn.movement;

    myTime = 10.3;
    EXPECT_EQ(transcript_of("A8"), repeat("\n Pos: A8 = (-3.50, 3.50)", 32));
    EXPECT_TRUE(same_record(*pawn.movement, moving)) << "a field click redirected a moving piece";
    for (const PieceInfo &piece : roster)
        if (&piece != &pawn) {
            EXPECT_EQ(piece.movement->state, 0) << piece.name;
            EXPECT_FLOAT_EQ(piece.movement->pos[0], piece.x) << piece.name;
        }
}

TEST_F(Handlers, StoppedMidMoveThePieceRestsWhereDrawnAndMovesOnFromThere)
{
    const PieceInfo &pawn = piece_named("Bauer Nr. 11");
    TMovement &m = *pawn.movement;
    transcript_of("Bauer Nr. 11");
    myTime = 10.0;
    transcript_of("D3");
    calc_axis_pos(10.2f, &m); // x a quarter of the way: -2.2071
    const float shown_x = m.cur[0];
    ASSERT_NEAR(shown_x, -2.2071f, 1e-4f);

    transcript_of("Bauer Nr. 11"); // stop
    EXPECT_EQ(m.state, 0);
    EXPECT_FLOAT_EQ(m.pos[0], shown_x);
    EXPECT_FLOAT_EQ(m.pos[1], -3.5f);
    EXPECT_FLOAT_EQ(m.delta[0], 2.0f) << "a stop changes nothing but state and pos";
    calc_axis_pos(10.5f, &m);
    EXPECT_FLOAT_EQ(m.cur[0], shown_x) << "a stopped piece does not go on moving";

    transcript_of("Bauer Nr. 11"); // arm again
    myTime = 11.0;
    const std::string out = transcript_of("E5");
    EXPECT_EQ(out, e5_line +
                       "\n: Start: "
                       "\n0: delta =  2.71  T1 = 11.00  T2 = 12.08   "
                       "\n1: delta =  4.00  T1 = 11.40  T2 = 13.00   "
                       "\n2: delta =  0.00  T1 = 11.80  T2 = 11.80   " +
                       repeat(e5_line, 31));
    EXPECT_FLOAT_EQ(m.delta[0], 0.5f - shown_x);
    EXPECT_FLOAT_EQ(m.T2[0], static_cast<float>(11.0 + 0.4 * (0.5f - shown_x)));
}

TEST_F(Handlers, AHiddenArmedPieceStaysArmedAndMovesUnseen)
{
    const PieceInfo &queen = piece_named("Dame Nr. 2");
    transcript_of("Dame Nr. 2");
    EXPECT_EQ(transcript_of("Aus_Dame Nr. 2"), repeat("\n Pos: Aus_Dame Nr. 2 = (-3.50, 0.00)", 31));
    EXPECT_EQ(*queen.off, 1);
    EXPECT_EQ(queen.movement->state, 1);

    myTime = 2.0;
    const std::string out = transcript_of("D4");
    EXPECT_NE(out.find("\n Pos: D4 = (-0.50,-0.50)\n: Start: \n0: delta = -4.00  T1 =  2.00  T2 =  3.60   "),
              std::string::npos)
        << out;
    EXPECT_EQ(queen.movement->state, 2);
    EXPECT_EQ(*queen.off, 1);

    // Hiding does not stop it, and showing it again leaves the move alone.
    transcript_of("Aus_Dame Nr. 2");
    EXPECT_EQ(*queen.off, 0);
    EXPECT_EQ(queen.movement->state, 2);
}

TEST_F(Handlers, SwitchNamesToggleTheOffFlagInEveryStateAndLeaveTheMoveAlone)
{
    const PieceInfo &knight = piece_named("Springer Nr. 4");
    for (int state = 0; state <= 2; ++state) {
        SCOPED_TRACE(state);
        knight.movement->state = state;
        knight.movement->delta[0] = state == 2 ? 1.0f : 0.0f;
        const TMovement before = *knight.movement;
        transcript_of("Aus_Springer Nr. 4");
        EXPECT_EQ(*knight.off, 1);
        transcript_of("Aus_Springer Nr. 4");
        EXPECT_EQ(*knight.off, 0);
        EXPECT_TRUE(same_record(*knight.movement, before));
    }
}

TEST_F(Handlers, TheKingsSwitchNamesAreSchachMattKoenig)
{
    const PieceInfo &king1 = piece_named("Koenig Nr. 1");
    const PieceInfo &king2 = piece_named("Koenig Nr. 2");
    transcript_of("Schach-Matt-Koenig Nr. 1");
    EXPECT_EQ(*king1.off, 1);
    EXPECT_EQ(*king2.off, 0);
    transcript_of("Schach-Matt-Koenig Nr. 2");
    EXPECT_EQ(*king2.off, 1);
    transcript_of("Schach-Matt-Koenig Nr. 1");
    EXPECT_EQ(*king1.off, 0);
    // The "Aus_" form that every other piece has hides no king.
    transcript_of("Aus_Koenig Nr. 2");
    EXPECT_EQ(*king2.off, 1);
    for (const PieceInfo &piece : roster)
        if (&piece != &king1 && &piece != &king2) {
            EXPECT_EQ(*piece.off, 0) << piece.name;
        }
}

TEST_F(Handlers, OtherNamesChangeNothingAndPrintOnlyPositionLines)
{
    struct Case {
        const char *name;
        std::string line;
    };
    const Case cases[] = {
        {" ", "\n Pos:   = ( 0.00, 0.00)"},                              // a pick on nothing
        {"", "\n Pos:  = ( 0.00, 0.00)"},                                // an unregistered id
        {"Waende und Boden", "\n Pos: Waende und Boden = ( 0.00, 0.00)"}, //
        {"Schachbrett", "\n Pos: Schachbrett = ( 0.00, 0.00)"},           //
        {"Bauer Nr. 1", "\n Pos: Bauer Nr. 1 = (-2.50, 0.00)"},           // a prefix of a piece name
        {"bauer nr. 11", "\n Pos: bauer nr. 11 = ( 0.00, 0.00)"},         // names compare case-sensitively
        {"Aus_Bauer 11 ", "\n Pos: Aus_Bauer 11  = (-3.50, 0.00)"},       // and whole
    };
    transcript_of("Laufer Nr. 1"); // one armed piece, which a non-field must not start
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(transcript_of(c.name), repeat(c.line, 32));
        for (const PieceInfo &piece : roster) {
            EXPECT_EQ(*piece.off, 0) << piece.name;
            EXPECT_EQ(piece.movement->state, &piece == &piece_named("Laufer Nr. 1") ? 1 : 0) << piece.name;
            EXPECT_FLOAT_EQ(piece.movement->pos[0], piece.x) << piece.name;
            EXPECT_FLOAT_EQ(piece.movement->pos[1], piece.y) << piece.name;
        }
    }
}

TEST_F(Handlers, AFieldNameWithATailStillSendsTheArmedPiece)
{
    const PieceInfo &bishop = piece_named("Laufer Nr. 3");
    bishop.movement->state = 1;
    const std::string out = transcript_of("C4xyz");
    EXPECT_EQ(bishop.movement->state, 2);
    EXPECT_FLOAT_EQ(bishop.movement->delta[0], -1.5f - 3.5f);
    EXPECT_FLOAT_EQ(bishop.movement->delta[1], -0.5f - -1.5f);
    EXPECT_NE(out.find("\n Pos: C4xyz = (-1.50,-0.50)\n: Start: "), std::string::npos) << out;
}

} // namespace
