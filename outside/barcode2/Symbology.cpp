#include "Symbology.h"

#include <zint.h>

#include <algorithm>

namespace vext::barcode2 {
namespace {

constexpr std::string_view kCode39Set = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
constexpr std::string_view kNw7Set = "0123456789-$:/.+ABCD";
constexpr std::string_view kNw7Guards = "ABCD";
constexpr std::string_view kPostalSet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-";

bool AllDigits(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}
bool AllIn(std::string_view s, std::string_view set) {
  return std::all_of(s.begin(), s.end(), [set](char c) { return set.find(c) != set.npos; });
}
bool AllAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A value of digits whose length is `bare` (the encoder computes the check
// digit) or `bare + 1` (the encoder verifies it).
long FixedDigits(std::string_view value, std::size_t bare, int computing, int verifying,
                 EncoderRequest& request) {
  if (!AllDigits(value)) return BARCODE_ERROR_CHARACTER;
  if (value.size() == bare) {
    request.symbology = computing;
  } else if (value.size() == bare + 1) {
    request.symbology = verifying;
  } else {
    return BARCODE_ERROR_LENGTH;
  }
  return BARCODE_ERROR_NONE;
}

bool IsNw7Guard(char c) { return kNw7Guards.find(c) != kNw7Guards.npos; }

// NW-7 data with its start and stop characters: the value's own, else the
// object's.
std::string Nw7WithGuards(const Properties& p, std::string_view value) {
  if (value.size() >= 2 && IsNw7Guard(value.front()) && IsNw7Guard(value.back()))
    return std::string(value);
  return p.StartChar + std::string(value) + p.StopChar;
}

// The GS1 modulus-10 check digit of a digit string.
char Modulus10(std::string_view digits) {
  int sum = 0, weight = 3;
  for (auto c = digits.rbegin(); c != digits.rend(); ++c) {
    sum += (*c - '0') * weight;
    weight = 4 - weight;
  }
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

// UPC-E (number system and six digits) written out as the UPC-A it stands
// for, without the check digit.
std::string UpceToUpca(std::string_view e) {
  const std::string_view d = e.substr(1);
  const std::string ns(1, e[0]);
  switch (d[5]) {
    case '0':
    case '1':
    case '2': return ns + std::string(d.substr(0, 2)) + d[5] + "0000" + std::string(d.substr(2, 3));
    case '3': return ns + std::string(d.substr(0, 3)) + "00000" + std::string(d.substr(3, 2));
    case '4': return ns + std::string(d.substr(0, 4)) + "00000" + d[4];
    default: return ns + std::string(d.substr(0, 5)) + "0000" + d[5];
  }
}

}  // namespace

long PrepareRequest(const Properties& p, std::string_view value, EncoderRequest& request) {
  if (value.empty()) return BARCODE_ERROR_NO_DATA;
  if (value.size() > static_cast<std::size_t>(BARCODE_MAX_VALUE)) return BARCODE_ERROR_TOO_LONG;
  request = EncoderRequest{};
  request.data = std::string(value);
  long error = BARCODE_ERROR_NONE;
  switch (p.Type) {
    case BARCODE_TYPE_JAN13:
      error = FixedDigits(value, 12, BARCODE_EANX, BARCODE_EANX_CHK, request);
      break;
    case BARCODE_TYPE_JAN8:
      error = FixedDigits(value, 7, BARCODE_EANX, BARCODE_EANX_CHK, request);
      break;
    case BARCODE_TYPE_UPCA:
      error = FixedDigits(value, 11, BARCODE_UPCA, BARCODE_UPCA_CHK, request);
      break;
    case BARCODE_TYPE_UPCE:
      error = FixedDigits(value, 7, BARCODE_UPCE, BARCODE_UPCE_CHK, request);
      if (!error && value[0] != '0' && value[0] != '1') error = BARCODE_ERROR_CHARACTER;
      break;
    case BARCODE_TYPE_CODE39:
      request.symbology = BARCODE_CODE39;
      if (!AllIn(value, kCode39Set)) error = BARCODE_ERROR_CHARACTER;
      request.option2 = p.CheckChar ? 1 : 0;
      break;
    case BARCODE_TYPE_NW7: {
      request.symbology = BARCODE_CODABAR;
      request.data = Nw7WithGuards(p, value);
      const std::string_view body(request.data.data() + 1, request.data.size() - 2);
      if (!AllIn(body, kNw7Set.substr(0, 16))) error = BARCODE_ERROR_CHARACTER;
      if (!error && request.data.size() == 2) error = BARCODE_ERROR_NO_DATA;
      request.option2 = p.CheckChar ? 1 : 0;
      break;
    }
    case BARCODE_TYPE_ITF:
      request.symbology = BARCODE_C25INTER;
      request.option2 = p.CheckChar ? 1 : 0;
      if (!AllDigits(value)) {
        error = BARCODE_ERROR_CHARACTER;
      } else if ((value.size() + request.option2) % 2 != 0) {
        error = BARCODE_ERROR_LENGTH;  // the encoder would add a leading zero
      }
      break;
    case BARCODE_TYPE_CODE128:
      request.symbology = p.CodeSet == 2 ? BARCODE_CODE128B : BARCODE_CODE128;
      if (!AllAscii(value)) error = BARCODE_ERROR_CHARACTER;
      break;
    case BARCODE_TYPE_GS1_128:
      request.symbology = BARCODE_GS1_128;
      request.inputMode = GS1_MODE | (value.front() == '(' ? GS1PARENS_MODE : 0);
      if (!AllAscii(value)) error = BARCODE_ERROR_CHARACTER;
      break;
    case BARCODE_TYPE_POSTAL:
      request.symbology = BARCODE_JAPANPOST;
      request.ownHeight = true;
      if (!AllIn(value, kPostalSet)) error = BARCODE_ERROR_CHARACTER;
      break;
    case BARCODE_TYPE_QR:
      request.symbology = BARCODE_QRCODE;
      request.linear = false;
      request.ownHeight = true;
      request.option1 = static_cast<int>(p.QRLevel) + 1;
      request.option2 = static_cast<int>(p.QRType);
      request.option3 = p.QRMask >= 0 ? static_cast<int>(p.QRMask + 1) << 8 : 0;
      if (p.QRConnect >= 2) {
        request.structCount = static_cast<int>(p.QRConnect);
        request.structIndex = static_cast<int>(p.QRSymbolNumber);
      }
      if (p.PDFInitialSymbol) request.outputOptions |= READER_INIT;
      break;
    case BARCODE_TYPE_PDF417:
      request.symbology = p.PDFModel == 1 ? BARCODE_PDF417COMP : BARCODE_PDF417;
      request.linear = false;
      request.ownHeight = true;
      request.option1 = static_cast<int>(p.PDFLevel);
      request.option2 = static_cast<int>(p.PDFColumn);
      request.option3 = static_cast<int>(p.PDFRow);
      if (p.PDFInitialSymbol) request.outputOptions |= READER_INIT;
      break;
    case BARCODE_TYPE_CODE93:
      request.symbology = BARCODE_CODE93;
      if (!AllAscii(value)) error = BARCODE_ERROR_CHARACTER;
      break;
    case BARCODE_TYPE_DATABAR:
      request.symbology = BARCODE_DBAR_OMN;
      if (!AllDigits(value)) {
        error = BARCODE_ERROR_CHARACTER;
      } else if (value.size() != 13 && value.size() != 14) {
        error = BARCODE_ERROR_LENGTH;
      }
      break;
    default: return BARCODE_ERROR_TYPE;
  }
  if (request.linear && p.Bearer)
    request.outputOptions |= p.Bearer == 1 ? BARCODE_BIND : BARCODE_BOX;
  return error;
}

long CheckCharacters(const Properties& p, std::string_view data, std::string& check) {
  const auto digitsOf = [&](std::size_t length) {
    if (!AllDigits(data)) return BARCODE_ERROR_CHARACTER;
    return data.size() == length ? BARCODE_ERROR_NONE : BARCODE_ERROR_LENGTH;
  };
  long error = BARCODE_ERROR_NONE;
  switch (p.Type) {
    case BARCODE_TYPE_JAN13:
      if (!(error = digitsOf(12))) check = Modulus10(data);
      return error;
    case BARCODE_TYPE_JAN8:
      if (!(error = digitsOf(7))) check = Modulus10(data);
      return error;
    case BARCODE_TYPE_UPCA:
      if (!(error = digitsOf(11))) check = Modulus10(data);
      return error;
    case BARCODE_TYPE_UPCE:
      if ((error = digitsOf(7))) return error;
      if (data[0] != '0' && data[0] != '1') return BARCODE_ERROR_CHARACTER;
      check = Modulus10(UpceToUpca(data));
      return error;
    case BARCODE_TYPE_DATABAR:
      if (!(error = digitsOf(13))) check = Modulus10(data);
      return error;
    case BARCODE_TYPE_ITF:
      if (data.empty()) return BARCODE_ERROR_NO_DATA;
      if (!AllDigits(data)) return BARCODE_ERROR_CHARACTER;
      check = Modulus10(data);
      return error;
    case BARCODE_TYPE_CODE39: {
      if (data.empty()) return BARCODE_ERROR_NO_DATA;
      if (!AllIn(data, kCode39Set)) return BARCODE_ERROR_CHARACTER;
      std::size_t sum = 0;
      for (char c : data) sum += kCode39Set.find(c);
      check = kCode39Set[sum % 43];
      return error;
    }
    case BARCODE_TYPE_NW7: {
      if (data.empty()) return BARCODE_ERROR_NO_DATA;
      const std::string full = Nw7WithGuards(p, data);
      if (!AllIn(std::string_view(full).substr(1, full.size() - 2), kNw7Set.substr(0, 16)) ||
          !IsNw7Guard(full.front()) || !IsNw7Guard(full.back()))
        return BARCODE_ERROR_CHARACTER;
      std::size_t sum = 0;
      for (char c : full) sum += kNw7Set.find(c);
      check = kNw7Set[(16 - sum % 16) % 16];
      return error;
    }
    case BARCODE_TYPE_CODE128:
    case BARCODE_TYPE_GS1_128:
    case BARCODE_TYPE_POSTAL:
    case BARCODE_TYPE_QR:
    case BARCODE_TYPE_PDF417:
    case BARCODE_TYPE_CODE93: return BARCODE_ERROR_NO_CHECK_DIGIT;
    default: return BARCODE_ERROR_TYPE;
  }
}

}  // namespace vext::barcode2
