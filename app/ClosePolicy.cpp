#include "ClosePolicy.h"

int ClosePolicy::AfterQuestion(int answer, int noMoreQuery, int& queryCancelExit, int& queryCancelExitSaving)
{
    if (answer != CANCEL) {
        if (noMoreQuery)
            queryCancelExit = 0;
        queryCancelExitSaving = answer != CLOSE_WITHOUT_SAVING ? 1 : 0;
    }
    return answer;
}

int ClosePolicy::Remembered(int queryCancelExitSaving)
{
    return queryCancelExitSaving ? SAVE_AND_CLOSE : CLOSE_WITHOUT_SAVING;
}
