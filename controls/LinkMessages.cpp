#include "LinkMessages.h"
#include "../res/resource.h"

unsigned LinkMessages::MessageId(int code)
{
    switch (code) {
    case 0: return IDS_LINK_ERROR_0;
    case 2: return IDS_LINK_ERROR_2;
    case 3: return IDS_LINK_ERROR_3;
    case 5: return IDS_LINK_ERROR_5;
    case 8: return IDS_LINK_ERROR_8;
    case 11: return IDS_LINK_ERROR_11;
    case 26: return IDS_LINK_ERROR_26;
    case 27: return IDS_LINK_ERROR_27;
    case 28: return IDS_LINK_ERROR_28;
    case 29: return IDS_LINK_ERROR_29;
    case 30: return IDS_LINK_ERROR_30;
    case 31: return IDS_LINK_ERROR_31;
    case 32: return IDS_LINK_ERROR_32;
    default: return 0;
    }
}

std::wstring LinkMessages::Text(int code, std::wstring (*load)(unsigned id))
{
    std::wstring message;
    if (unsigned id = MessageId(code)) {
        message = load(id);
    } else {
        message = load(IDS_LINK_ERROR_UNKNOWN);
        size_t at = message.find(L"%d");
        if (at != std::wstring::npos)
            message.replace(at, 2, std::to_wstring(code));
    }
    return load(IDS_LINK_ERROR_PREFIX) + message;
}
