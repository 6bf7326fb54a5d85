// A command that keeps the user-interface thread busy for a while (it does not answer the user
// meanwhile): the wait cursor shows as long as the object lives, and the mouse and keyboard
// input that arrived in the meantime is dropped when it goes, so that an impatient second
// click or key press does not run the command again afterwards.
#pragma once

class CBusyCommand {
public:
    CBusyCommand();
    ~CBusyCommand();
    CBusyCommand(const CBusyCommand&) = delete;
    CBusyCommand& operator=(const CBusyCommand&) = delete;
};
