#include "CSettingsFile.h"
#include "CReopenDlg.h"
#include "CountRange.h"
#include "SettingsRules.h"
#include <windows.h>

CSettingsFile::CSettingsFile(std::wstring path) : m_strPath(std::move(path)) {}

void CSettingsFile::Load(CReopenDlg& dlg) const
{
    auto read = [this](SettingId id) {
        const SettingKey& key = SettingsRules::Key(id);
        return GetPrivateProfileIntW(SettingsRules::kSection, key.name, static_cast<INT>(key.defaultValue),
                                     m_strPath.c_str());
    };
    // A count the field cannot show in range ("-1" reads as 4294967295) starts clamped,
    // by the same rule the field applies while typing.
    int count = static_cast<int>(read(SETTING_OPEN_NUMBER));
    CountRange::Clamp(count, &count);
    dlg.m_nOpenNumber = static_cast<UINT>(count);
    dlg.m_bTargetHttp = static_cast<int>(read(SETTING_TARGET_HTTP));
    dlg.m_bDisableAlreadyOpen = static_cast<int>(read(SETTING_DISABLE_ALREADY_OPEN));
    dlg.m_bCloseAfterExecute = static_cast<int>(read(SETTING_CLOSE_AFTER_EXECUTE));
    dlg.m_bQueryCancelExit = static_cast<int>(read(SETTING_QUERY_CANCEL_EXIT));
    dlg.m_bQueryCancelExitSaving = static_cast<int>(read(SETTING_QUERY_CANCEL_EXIT_SAVING));
    dlg.m_bOnlyMyHistory = static_cast<int>(read(SETTING_ONLY_MY_HISTORY));
}

bool CSettingsFile::Save(const CReopenDlg& dlg) const
{
    const int values[SETTING_COUNT] = {
        static_cast<int>(dlg.m_nOpenNumber), dlg.m_bTargetHttp,        dlg.m_bDisableAlreadyOpen,
        dlg.m_bCloseAfterExecute,            dlg.m_bQueryCancelExit,   dlg.m_bQueryCancelExitSaving,
        dlg.m_bOnlyMyHistory,
    };
    bool ok = true;
    for (int id = 0; id < SETTING_COUNT; ++id) {
        SettingId setting = static_cast<SettingId>(id);
        std::wstring text = SettingsRules::Format(setting, values[id]);
        if (!WritePrivateProfileStringW(SettingsRules::kSection, SettingsRules::Key(setting).name, text.c_str(),
                                        m_strPath.c_str()))
            ok = false;
    }
    return ok;
}
