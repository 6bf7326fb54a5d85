#include "LinkMessages.h"
#include "../framework/NumberText.h"
#include "ShellErrors.h"
#include "../res/resource.h"

unsigned LinkMessages::MessageId(int code)
{
    switch (code) {
    case 0: return IDS_LINK_ERROR_OUT_OF_RESOURCES;
    case SE_ERR_FNF: return IDS_LINK_ERROR_SE_ERR_FNF;
    case SE_ERR_PNF: return IDS_LINK_ERROR_SE_ERR_PNF;
    case SE_ERR_ACCESSDENIED: return IDS_LINK_ERROR_SE_ERR_ACCESSDENIED;
    case SE_ERR_OOM: return IDS_LINK_ERROR_SE_ERR_OOM;
    case ERROR_BAD_FORMAT: return IDS_LINK_ERROR_ERROR_BAD_FORMAT;
    case SE_ERR_SHARE: return IDS_LINK_ERROR_SE_ERR_SHARE;
    case SE_ERR_ASSOCINCOMPLETE: return IDS_LINK_ERROR_SE_ERR_ASSOCINCOMPLETE;
    case SE_ERR_DDETIMEOUT: return IDS_LINK_ERROR_SE_ERR_DDETIMEOUT;
    case SE_ERR_DDEFAIL: return IDS_LINK_ERROR_SE_ERR_DDEFAIL;
    case SE_ERR_DDEBUSY: return IDS_LINK_ERROR_SE_ERR_DDEBUSY;
    case SE_ERR_NOASSOC: return IDS_LINK_ERROR_SE_ERR_NOASSOC;
    case SE_ERR_DLLNOTFOUND: return IDS_LINK_ERROR_SE_ERR_DLLNOTFOUND;
    default: return 0;
    }
}

std::wstring LinkMessages::Text(int code, std::wstring (*load)(unsigned id))
{
    std::wstring message;
    if (unsigned id = MessageId(code)) {
        message = load(id);
    } else {
        message = NumberText::FillIn(load(IDS_LINK_ERROR_UNKNOWN), { code });
    }
    return load(IDS_LINK_ERROR_PREFIX) + message;
}
