// String-table ids of the framework's own messages (texts in FrameworkStrings.rc).
#pragma once
#define AFX_IDP_OUT_OF_MEMORY      0xF100
#define AFX_IDP_INTERNAL_FAILURE   0xF101
#define AFX_IDP_PARSE_UINT         0xF102
#define AFX_IDP_PARSE_INT_RANGE    0xF103
