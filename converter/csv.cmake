# The phone-book CSV file: reader, writer and the record of one entry.
# Included from converter/CMakeLists.txt.
add_library(PhoneBookCsv STATIC
  ${CMAKE_CURRENT_LIST_DIR}/PhoneBookRec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CsvReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CsvWriter.cpp)
target_include_directories(PhoneBookCsv PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(PhoneBookCsv PUBLIC VextPlatform)

vext_test(converter_CsvTest
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/CsvReaderTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/CsvWriterTest.cpp
  LINKS PhoneBookCsv)
