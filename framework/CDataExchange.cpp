#include "CDataExchange.h"
#include "AfxMessageBox.h"
#include "CUserException.h"
#include "CWnd.h"
#include "FrameworkIds.h"
#include "NumberText.h"
#include <string>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    m_hWndLastControl = m_pDlgWnd->GetDlgItem(nIDC);
    m_bEditLastControl = FALSE;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND h = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return h;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl) {
        SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            SendMessageW(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw CUserException();
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(SendMessageW(h, BM_GETCHECK, 0, 0));
    else
        // Any non-zero flag counts as set; the box has only two states.
        SendMessageW(h, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        std::wstring text = CWnd::WindowTextOf(h);
        unsigned parsed = 0;
        if (!NumberText::ParseUnsigned(text, &parsed)) {
            AfxMessageBox(AFX_IDP_PARSE_UINT);
            pDX->Fail();
        }
        value = parsed;
    } else {
        SetWindowTextW(h, std::to_wstring(value).c_str());
    }
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    std::wstring text = AfxLoadString(AFX_IDP_PARSE_INT_RANGE);
    AfxMessageBox(NumberText::FormatRange(text, minVal, maxVal).c_str());
    pDX->Fail();
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND h = pDX->PrepareCtrl(nIDC);
    rControl.SubclassWindow(h);
}
