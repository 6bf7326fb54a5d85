// A modal dialog built from a dialog template of the program's resources.
#pragma once
#include "CWnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Runs the dialog; its owner (the parent given, else the main window) is disabled
    // meanwhile. Returns the value given to EndDialog, or -1 when it cannot be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);
    ~CDialog() override;

    // Keys the dialog answers wherever its focus is (the dialog manager's own keys aside):
    // each sends the dialog WM_COMMAND with its command id, as a menu item would.
    void SetAccelerators(const ACCEL* keys, int count);

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A message of the dialog's modal loop on its way to the dialog or one of its controls,
    // before the dialog manager's keys: true when taken here (it goes no further). By default,
    // the keys of SetAccelerators.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Widens each plain one-line text of the template (a static without id, left-aligned) that
    // its font draws wider than its box, as far as the next control to its right or the
    // dialog's edge allow; never narrows one. The boxes are made for the Japanese UI font,
    // whose stand-ins may draw Latin letters wider.
    void WidenStaticTexts();
    // A dialog that OnInitDialog placed itself stays there: it is not centred afterwards.
    void KeepPlacement() { m_bCenter = false; }
    // The client size the template asks for, in pixels: the screen may have made the window
    // smaller than that before OnInitDialog (its controls stand where the template put them).
    SIZE TemplateClientSize() const;

    UINT m_nIDTemplate;  // the dialog template's resource id
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL HandleInitDialog();
    void DefaultButtonToFocus();
    static LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam);
    bool m_bCenter = false;
    HACCEL m_hAccel = nullptr;
    CDialog* m_pOuterModal = nullptr;  // the dialog that ran modal when this one began
    SIZE m_templateSize = {};          // in dialog units
};
