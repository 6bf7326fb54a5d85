// Whether a stopped browser brings its last windows back by itself at its next start, from its
// own settings: then starting it with pages would open each of them twice. Chromium: the
// profile's Preferences (JSON) asks to continue where the user left off
// (session.restore_on_startup = 1) and the last run ended normally (profile.exit_type; after a
// crash the browser only offers to restore). Firefox: prefs.js and user.js (user.js wins, as the
// browser reads it last) ask to show the last windows (browser.startup.page = 3) or to resume
// once (browser.sessionstore.resume_session_once), or the last run crashed and the browser
// resumes after a crash (browser.sessionstore.resume_from_crash, on unless set false). The files
// are the user's, but written by programs that web pages reach: read within bounds.
#pragma once
#include <cstddef>
#include <string>

class BrowserRestorePrefs {
public:
    static bool ChromiumRestores(const std::string& preferencesJson);
    static bool FirefoxRestores(const std::string& prefsJs, const std::string& userJs, bool crashed);

    // The value of `user_pref("<name>", <value>);` as written (the last such line); false when
    // the text sets none.
    static bool FirefoxPref(const std::string& text, const std::string& name, std::string* value);

    static constexpr size_t kLargestFile = 16u << 20;
};
