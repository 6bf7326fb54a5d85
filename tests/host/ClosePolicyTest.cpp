// The close policy's decision table: what each answer does to the two remembered flags.
#include "app/ClosePolicy.h"
#include <gtest/gtest.h>

namespace {
struct AskedCase {
    const char* what;
    int answer, noMoreQuery;
    int decision, queryCancelExit, queryCancelExitSaving;
};

// Flags start as "ask" and "save"; the saving flag starts at 0 where the case needs
// to show that the answer sets it.
const AskedCase kAsked[] = {
    { "save, flag clear", ClosePolicy::SAVE_AND_CLOSE, 0, 0, 1, 1 },
    { "save, flag ticked", ClosePolicy::SAVE_AND_CLOSE, 1, 0, 0, 1 },
    { "discard, flag clear", ClosePolicy::CLOSE_WITHOUT_SAVING, 0, 1, 1, 0 },
    { "discard, flag ticked", ClosePolicy::CLOSE_WITHOUT_SAVING, 1, 1, 0, 0 },
    { "cancel ignores a ticked flag", ClosePolicy::CANCEL, 1, 2, 1, 0 },
    { "question not shown", ClosePolicy::NOT_SHOWN, 0, -1, 1, 1 },
    { "flag stored as any non-zero", ClosePolicy::SAVE_AND_CLOSE, 7, 0, 0, 1 },
};

TEST(ClosePolicy, AnswerDecidesAndUpdatesFlags)
{
    for (const AskedCase& c : kAsked) {
        SCOPED_TRACE(c.what);
        int queryCancelExit = 1, queryCancelExitSaving = 0;
        int d = ClosePolicy::AfterQuestion(c.answer, c.noMoreQuery, queryCancelExit, queryCancelExitSaving);
        EXPECT_EQ(c.decision, d);
        EXPECT_EQ(c.queryCancelExit, queryCancelExit);
        EXPECT_EQ(c.queryCancelExitSaving, queryCancelExitSaving);
    }
}

TEST(ClosePolicy, CancelLeavesBothFlagsAlone)
{
    int queryCancelExit = 5, queryCancelExitSaving = 9;
    ClosePolicy::AfterQuestion(ClosePolicy::CANCEL, 1, queryCancelExit, queryCancelExitSaving);
    EXPECT_EQ(5, queryCancelExit);
    EXPECT_EQ(9, queryCancelExitSaving);
}

TEST(ClosePolicy, RememberedAnswerWithoutAsking)
{
    const struct { int saving, decision; } cases[] = {
        { 1, ClosePolicy::SAVE_AND_CLOSE },
        { 5, ClosePolicy::SAVE_AND_CLOSE },
        { -1, ClosePolicy::SAVE_AND_CLOSE },
        { 0, ClosePolicy::CLOSE_WITHOUT_SAVING },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.decision, ClosePolicy::Remembered(c.saving)) << "saving flag " << c.saving;
}
}
