// The ContactXML vocabulary shared by every writer and reader of the
// system: element and attribute names, the values that carry meaning, the
// two document headers and the location sets.
//
// Names are compared as written: case-sensitively, by qualified name, with
// no namespace processing. Japanese values are CP932 bytes.
#pragma once

#include "platform/base/CString.h"
#include "platform/text/Sj.h"

namespace vext::contactxml {

// --- URIs ------------------------------------------------------------------

inline constexpr const char* kNamespaceUri = "http://www.xmlns.org/2002/ContactXML";
// The maker's converter: the one "creator" value whose maker-specific
// parts readers honour, compared character for character.
inline constexpr const char* kCreatorUri = "http://www.nq.example/software/ContactXMLConv/1.1";

// --- Document header --------------------------------------------------------

inline constexpr const char* kXmlDeclarationTarget = "xml";
// The exchange library and the converter write different declarations and
// commented document type lines; both are kept as they always were.
inline constexpr const char* kLibraryXmlDeclaration = "version='1.0' encoding='Shift_JIS'";
inline constexpr const char* kConverterXmlDeclaration = "version='1.1' encoding='Shift_JIS'";
inline constexpr const char* kLibraryDoctypeComment =
    R"(<!DOCTYPE ContactXML SYSTEM "ContactXML_01_01a_20030312.dtd">)";
inline constexpr const char* kConverterDoctypeComment =
    R"(<!DOCTYPE ContactXML SYSTEM "ContactXML_01_01a.dtd">)";

// --- Root forms ---------------------------------------------------------------

// "ContactXML" 1.1: entries are ContactXMLItem children. "ContactXML" 1.0:
// the root is the one entry. "SNContactXML" (any version): entries are
// ContactXML children laid out like a 1.0 root.
inline constexpr const char* kElemContactXml = "ContactXML";
inline constexpr const char* kElemSnContactXml = "SNContactXML";
inline constexpr const char* kVersion10 = "1.0";
inline constexpr const char* kVersion11 = "1.1";

// --- Elements -------------------------------------------------------------------

inline constexpr const char* kElemContactXmlItem = "ContactXMLItem";
inline constexpr const char* kElemPersonName = "PersonName";
inline constexpr const char* kElemPersonNameItem = "PersonNameItem";
inline constexpr const char* kElemFullName = "FullName";
inline constexpr const char* kElemPersonId = "PersonID";
inline constexpr const char* kElemPersonIdItem = "PersonIDItem";
inline constexpr const char* kElemAddress = "Address";
inline constexpr const char* kElemAddressItem = "AddressItem";
inline constexpr const char* kElemAddressCode = "AddressCode";
inline constexpr const char* kElemAddressLine = "AddressLine";
inline constexpr const char* kElemFullAddress = "FullAddress";
inline constexpr const char* kElemZip = "Zip";
inline constexpr const char* kElemOccupation = "Occupation";
inline constexpr const char* kElemOccupationItem = "OccupationItem";
inline constexpr const char* kElemOrganizationName = "OrganizationName";
inline constexpr const char* kElemDepartment = "Department";
inline constexpr const char* kElemPhone = "Phone";
inline constexpr const char* kElemPhoneItem = "PhoneItem";
inline constexpr const char* kElemEmail = "Email";
inline constexpr const char* kElemEmailItem = "EmailItem";
inline constexpr const char* kElemExtension = "Extension";
inline constexpr const char* kElemExtensionItem = "ExtensionItem";

// --- Attributes -------------------------------------------------------------------

inline constexpr const char* kAttrXmlns = "xmlns";
inline constexpr const char* kAttrVersion = "version";
inline constexpr const char* kAttrCreator = "creator";
inline constexpr const char* kAttrXmlLang = "xml:lang";
inline constexpr const char* kAttrPronunciation = "pronunciation";
inline constexpr const char* kAttrCodeDomain = "codeDomain";
inline constexpr const char* kAttrLocationType = "locationType";
inline constexpr const char* kAttrAddressLineType = "addressLineType";
inline constexpr const char* kAttrPhoneDevice = "phoneDevice";
inline constexpr const char* kAttrUsage = "usage";
inline constexpr const char* kAttrPreference = "preference";
inline constexpr const char* kAttrExtensionType = "extensionType";
inline constexpr const char* kAttrName = "name";
inline constexpr const char* kAttrType = "type";

// --- Attribute values and fixed texts ----------------------------------------------

// "xml:lang": readers use only items carrying exactly this value.
inline constexpr const char* kLangJapanese = "ja-JP";

// FullName text of an entry without a person's name (an organisation).
inline constexpr const char* kNoPersonName = "...";

// "codeDomain" of PersonIDItem and AddressCode.
inline constexpr const char* kCodeDomainUserDefined = "UserDefined";
inline constexpr const char* kCodeDomainZip7 = "ZIP7";
// Five-digit local-government area code (converter only).
inline constexpr const char* kCodeDomainJis5 = "JIS5";

// "locationType" of AddressItem.
inline constexpr const char* kLocationOffice = "Office";
inline constexpr const char* kLocationHome = "Home";

// "addressLineType" of AddressLine.
inline constexpr const char* kLineTypePrefecture = "Prefecture";
inline constexpr const char* kLineTypeCity = "City";
inline constexpr const char* kLineTypeTown = "Town";
inline constexpr const char* kLineTypeNumber = "Number";
inline constexpr const char* kLineTypeBuilding = "Building";
inline constexpr const char* kLineTypeFloorOrRoom = "FloorOrRoom";
inline constexpr const char* kLineTypeOthers = "Others";
// The converter also reads an area code given as an address line.
inline constexpr const char* kLineTypeJis5 = "JIS5";

// "phoneDevice" of PhoneItem.
inline constexpr const char* kDevicePhone = "Phone";
inline constexpr const char* kDeviceFax = "Fax";
inline constexpr const char* kDeviceCellular = "Cellular";

// "usage" of PhoneItem and EmailItem.
inline constexpr const char* kUsageOfficial = "Official";
inline constexpr const char* kUsagePrivate = "Private";

// "preference" of EmailItem, PhoneItem and AddressItem.
inline constexpr const char* kPreferenceTrue = "True";
inline constexpr const char* kPreferenceFalse = "False";

// "extensionType" of ExtensionItem. "Extended" items are honoured only in
// documents whose creator is kCreatorUri.
inline constexpr const char* kExtensionCommon = "Common";
inline constexpr const char* kExtensionExtended = "Extended";

// "name" of the Common extension items.
inline constexpr const char* kExtensionNameSuffix = "Suffix";
inline constexpr const char* kExtensionNameMemo = "Memo";
// The converter's Extended item telling a person's entry from a company's.
inline constexpr const char* kExtensionNameEntryType = "EntryType";
inline constexpr const char* kEntryTypePerson = "個人"_sj;
inline constexpr const char* kEntryTypeCompany = "法人"_sj;

// --- Location sets ---------------------------------------------------------------------

// Every group that comes in variants (address, telephone, fax, mobile,
// e-mail) is held once per set. The numbers index per-set storage.
enum class LocationSet { Office = 0, Home = 1, Other = 2 };
inline constexpr int kLocationSetCount = 3;

// "Office" -> Office, "Home" -> Home, anything else (empty too) -> Other.
LocationSet LocationSetOfLocationType(const CString& locationType);
// "Official" -> Office, "Private" -> Home, anything else -> Other.
LocationSet LocationSetOfUsage(const CString& usage);

}  // namespace vext::contactxml
