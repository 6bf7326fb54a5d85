#include "CSessionKey.h"
#include "ChromiumLocalState.h"
#include "../framework/FileSystem.h"
#include <windows.h>
#include <bcrypt.h>
#include <wincrypt.h>
#include <cstring>
#include <memory>
#include <vector>

namespace {
constexpr size_t kKeyBytes = 32, kNonceBytes = 12, kTagBytes = 16;
const char kRecordTag[] = "v10";
const char kKeyTag[] = "DPAPI";

// AES-256-GCM with one key, for as long as a reading needs it.
class GcmKey {
public:
    explicit GcmKey(const std::string& key)
    {
        if (BCryptOpenAlgorithmProvider(&m_algorithm, BCRYPT_AES_ALGORITHM, nullptr, 0) != 0) {
            m_algorithm = nullptr;
            return;
        }
        if (BCryptSetProperty(m_algorithm, BCRYPT_CHAINING_MODE, reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(BCRYPT_CHAIN_MODE_GCM)),
                              sizeof(BCRYPT_CHAIN_MODE_GCM), 0) != 0 ||
            BCryptGenerateSymmetricKey(m_algorithm, &m_key, nullptr, 0,
                                       reinterpret_cast<PUCHAR>(const_cast<char*>(key.data())),
                                       static_cast<ULONG>(key.size()), 0) != 0)
            m_key = nullptr;
    }
    ~GcmKey()
    {
        if (m_key)
            BCryptDestroyKey(m_key);
        if (m_algorithm)
            BCryptCloseAlgorithmProvider(m_algorithm, 0);
    }
    GcmKey(const GcmKey&) = delete;
    GcmKey& operator=(const GcmKey&) = delete;
    bool Usable() const { return m_key != nullptr; }

    bool Open(std::string_view record, std::string* plain) const
    {
        const size_t head = sizeof(kRecordTag) - 1;
        if (!m_key || record.size() < head + kNonceBytes + kTagBytes || record.compare(0, head, kRecordTag) != 0)
            return false;
        std::string nonce(record.substr(head, kNonceBytes));
        std::string tag(record.substr(record.size() - kTagBytes));
        const std::string_view cipher = record.substr(head + kNonceBytes, record.size() - head - kNonceBytes - kTagBytes);
        BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info;
        BCRYPT_INIT_AUTH_MODE_INFO(info);
        info.pbNonce = reinterpret_cast<PUCHAR>(&nonce[0]);
        info.cbNonce = static_cast<ULONG>(nonce.size());
        info.pbTag = reinterpret_cast<PUCHAR>(&tag[0]);
        info.cbTag = static_cast<ULONG>(tag.size());
        plain->assign(cipher.size(), '\0');
        ULONG got = 0;
        std::string in(cipher);
        if (BCryptDecrypt(m_key, reinterpret_cast<PUCHAR>(in.empty() ? nullptr : &in[0]), static_cast<ULONG>(in.size()),
                          &info, nullptr, 0, reinterpret_cast<PUCHAR>(plain->empty() ? nullptr : &(*plain)[0]),
                          static_cast<ULONG>(plain->size()), &got, 0) != 0)
            return false;
        plain->resize(got);
        return true;
    }

private:
    BCRYPT_ALG_HANDLE m_algorithm = nullptr;
    BCRYPT_KEY_HANDLE m_key = nullptr;
};

// The key as the user's DPAPI gives it back; empty when it does not.
std::string UnprotectedKey(const std::string& base64)
{
    DWORD size = 0;
    if (base64.empty() ||
        !CryptStringToBinaryA(base64.data(), static_cast<DWORD>(base64.size()), CRYPT_STRING_BASE64, nullptr, &size, nullptr, nullptr) ||
        size <= sizeof(kKeyTag) - 1 || size > 4096)
        return std::string();
    std::vector<BYTE> blob(size);
    if (!CryptStringToBinaryA(base64.data(), static_cast<DWORD>(base64.size()), CRYPT_STRING_BASE64, blob.data(), &size, nullptr, nullptr) ||
        std::memcmp(blob.data(), kKeyTag, sizeof(kKeyTag) - 1) != 0)
        return std::string();
    DATA_BLOB in = { static_cast<DWORD>(size - (sizeof(kKeyTag) - 1)), blob.data() + sizeof(kKeyTag) - 1 };
    DATA_BLOB out = {};
    if (!CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out))
        return std::string();
    std::string key(reinterpret_cast<const char*>(out.pbData), out.cbData);
    SecureZeroMemory(out.pbData, out.cbData);
    LocalFree(out.pbData);
    return key.size() == kKeyBytes ? key : std::string();
}
}

ChromiumSession::Decrypt CSessionKey::ForUserData(const std::wstring& userData)
{
    const std::string key = UnprotectedKey(ChromiumLocalState::EncryptedKey(
        FileSystem::ReadShared(userData + L"\\Local State", ChromiumLocalState::kLargestFile)));
    if (key.empty())
        return {};
    auto gcm = std::make_shared<GcmKey>(key);
    if (!gcm->Usable())
        return {};
    return [gcm](std::string_view record, std::string* plain) { return gcm->Open(record, plain); };
}
