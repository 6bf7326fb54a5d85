// A static text of a dialog template turned into a hyperlink: link colours on the dialog's
// background, the hand cursor, a tool tip with the target, fitted to its text; a click opens
// the target and marks the label visited, or beeps and says why it could not.
#pragma once
#include "CHoverStatic.h"
#include "../framework/CFont.h"
#include "../framework/CToolTipCtrl.h"
#include <string>

class CLinkLabel : public CHoverStatic {
public:
    CLinkLabel();
    ~CLinkLabel() override;

    // Texts are byte strings in the ANSI code page.
    virtual void SetTarget(std::string target);
    virtual std::string GetTarget() const;
    // A hover colour of -1 stands for the system's highlight colour.
    virtual void SetTextColors(COLORREF normal, COLORREF visited, COLORREF hover);
    virtual COLORREF GetNormalTextColor() const;
    virtual COLORREF GetVisitedTextColor() const;
    virtual COLORREF GetHoverTextColor() const;
    virtual void MarkVisited(BOOL visited);
    virtual BOOL IsVisited() const;
    // The label owns the cursor from then on; null loads the default hand cursor.
    virtual void SetHoverCursor(HCURSOR cursor);
    virtual HCURSOR GetHoverCursor() const;
    virtual void SetUnderlined(BOOL underlined);
    virtual BOOL IsUnderlined() const;
    virtual void SetAutoFit(BOOL fit);
    virtual BOOL IsAutoFit() const;
    // The shell's "open" first; where it refuses, the ".htm" class's open command from the
    // registry with the target in place of its placeholder. Above 32 is success.
    virtual INT_PTR OpenTarget(const char* target, int showCommand);
    virtual void ReportOpenError(int code);
    // The default value of a key into a 260-byte destination (empty when it cannot be read);
    // 0, or the error of opening the key.
    virtual LONG ReadDefaultValue(HKEY root, const char* keyPath, char* destination);
    virtual void FitToText();

    std::wstring GetTipText() const;
    HWND GetTipWindow() const { return m_tip.m_hWnd; }

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnClicked();
    HBRUSH CtlColor(HDC hDC, UINT nCtlColor);
    // The window's font again, with the underline as the flag says.
    void BuildFont();
    bool WindowExists() const { return m_hWnd && IsWindow(m_hWnd); }

    COLORREF m_crNormal = RGB(0, 0, 238);
    COLORREF m_crVisited = RGB(85, 26, 139);
    COLORREF m_crHover;
    BOOL m_bVisited = FALSE;
    BOOL m_bUnderlined = TRUE;
    BOOL m_bAutoFit = TRUE;
    std::string m_strTarget;
    CFont m_font;
    CToolTipCtrl m_tip;

    DECLARE_MESSAGE_MAP()
};
