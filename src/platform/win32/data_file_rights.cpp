#include "platform/win32/data_file_rights.h"

#include <windows.h>
// After the Windows headers: the access list functions need their declarations.
#include <aclapi.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"
#include "rules/data_files.h"
#include "rules/file_rewrite.h"

namespace tevanor::win32 {

namespace {

// Read, write, run and delete: what the system's "Modify" grants.
constexpr DWORD kModifyRights =
    FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE;

// Gives the local Users group modify rights on the file, beside the rights it has.
bool GrantUsersModify(const std::wstring& path) {
  PACL current = nullptr;
  PSECURITY_DESCRIPTOR security = nullptr;
  if (::GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &current, nullptr, &security) != ERROR_SUCCESS)
    return false;
  const UniqueLocal<void> securityOwner(security);
  // The group by its well-known identifier, whatever the system's language calls it.
  BYTE users[SECURITY_MAX_SID_SIZE];
  DWORD usersSize = sizeof users;
  if (!::CreateWellKnownSid(WinBuiltinUsersSid, nullptr, users, &usersSize)) return false;
  EXPLICIT_ACCESSW grant{};
  grant.grfAccessPermissions = kModifyRights;
  grant.grfAccessMode = GRANT_ACCESS;
  grant.grfInheritance = NO_INHERITANCE;
  grant.Trustee.TrusteeForm = TRUSTEE_IS_SID;
  grant.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
  grant.Trustee.ptstrName = reinterpret_cast<LPWSTR>(users);
  PACL updated = nullptr;
  if (::SetEntriesInAclW(1, &grant, current, &updated) != ERROR_SUCCESS) return false;
  const UniqueLocal<ACL> updatedOwner(updated);
  std::wstring target = path;
  return ::SetNamedSecurityInfoW(target.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                 nullptr, updated, nullptr) == ERROR_SUCCESS;
}

}  // namespace

bool PrepareDataFiles(const std::wstring& directory) {
  bool prepared = true;
  for (const std::string& name :
       {std::string(kWordFileName), SideFileName(kWordFileName), std::string(kSiteFileName),
        SideFileName(kSiteFileName), std::string(kHistoryFileName)}) {
    const std::wstring path = directory + Wide(name);
    // Opened always, never truncated: a file kept from an earlier installation keeps its lists.
    const UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    prepared = file && GrantUsersModify(path) && prepared;
  }
  return prepared;
}

}  // namespace tevanor::win32
