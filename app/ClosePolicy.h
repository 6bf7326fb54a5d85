// What closing the main dialog other than by its Close button does: save and close, close
// without saving, or stay open; asked each time or taken from the remembered answer.
#pragma once

class ClosePolicy {
public:
    // Answers of the exit question, which are also the decisions.
    enum { SAVE_AND_CLOSE = 0, CLOSE_WITHOUT_SAVING = 1, CANCEL = 2, NOT_SHOWN = -1 };

    // The decision after the question was answered with `answer`; the flags are updated
    // (a ticked "don't ask again" stops the question, the answer is remembered).
    static int AfterQuestion(int answer, int noMoreQuery, int& queryCancelExit, int& queryCancelExitSaving);
    // The decision when not asking.
    static int Remembered(int queryCancelExitSaving);
};
