#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>

#include <gtest/gtest.h>

#include <map>

#include "PackageTestFiles.h"
#include "engine/package/FileSniffer.h"

namespace quillmere::engine {
namespace {

using namespace packagetest;

// The compound files of the corpus that are not plain binary decks; its zips are all Open XML.
const std::map<std::string, FileKind> kCompoundKinds = {
    {"made__themes-encrypted.pptx", FileKind::EncryptedOpenXml},
    {"made__notes-encrypted.pptx", FileKind::EncryptedOpenXml},
    {"poi__Password_Protected-hello.ppt", FileKind::EncryptedBinaryPpt},
    {"poi__Password_Protected-56-hello.ppt", FileKind::EncryptedBinaryPpt},
    {"poi__ppt_with_png_encrypted.ppt", FileKind::EncryptedBinaryPpt},
    // Fuzzed until libgsf cannot read the compound file.
    {"poi__clusterfuzz-testcase-minimized-POIHSLFFuzzer-4624961081573376.ppt", FileKind::Unknown},
    {"poi__clusterfuzz-testcase-minimized-POIFuzzer-5681320547975168.ppt", FileKind::Unknown},
    {"poi__pp40only.ppt", FileKind::Unknown},  // PowerPoint 4.0 has no "PowerPoint Document" stream
};

FileKind CorpusKind(const std::string& name, const std::string& container) {
  if (container == "zip") return FileKind::OpenXml;
  auto it = kCompoundKinds.find(name);
  return it == kCompoundKinds.end() ? FileKind::BinaryPpt : it->second;
}

// A compound file with the given streams.
void WriteCompoundFile(const std::filesystem::path& file, const std::map<std::string, std::string>& streams) {
  gsf_init();
  GsfOutput* output = gsf_output_stdio_new(file.c_str(), nullptr);
  ASSERT_NE(output, nullptr);
  GsfOutfile* outfile = gsf_outfile_msole_new(output);
  for (const auto& [name, data] : streams) {
    GsfOutput* child = gsf_outfile_new_child(GSF_OUTFILE(outfile), name.c_str(), FALSE);
    gsf_output_write(child, data.size(), reinterpret_cast<const guint8*>(data.data()));
    gsf_output_close(child);
    g_object_unref(child);
  }
  gsf_output_close(GSF_OUTPUT(outfile));
  g_object_unref(outfile);
  g_object_unref(output);
}

TEST(FileSniffer, TellsEveryCorpusFile) {
  size_t exceptions = 0;
  for (const auto& [name, container] : CorpusManifest()) {
    EXPECT_EQ(SniffFile(CorpusFile(name)), CorpusKind(name, container)) << name;
    exceptions += kCompoundKinds.count(name);
  }
  EXPECT_EQ(exceptions, kCompoundKinds.size());
}

TEST(FileSniffer, TellsFilesThatAreNoDeck) {
  TempFolder temp;
  EXPECT_EQ(SniffFile(temp / "missing.ppt"), FileKind::Missing);
  EXPECT_EQ(SniffFile(temp.Path()), FileKind::Directory);
  for (auto [name, bytes, kind] :
       {std::tuple{"empty.pptx", std::string(), FileKind::Empty},
        std::tuple{"text.ppt", std::string("Hello"), FileKind::Unknown},
        std::tuple{"pk.ppt", std::string("PK"), FileKind::Unknown},
        std::tuple{"empty.zip", std::string("PK\5\6", 4) + std::string(18, '\0'), FileKind::OpenXml}}) {
    WriteFile(temp / name, bytes);
    EXPECT_EQ(SniffFile(temp / name), kind) << name;
  }
  EXPECT_EQ(SniffFile("/dev/null"), FileKind::Unknown);
}

TEST(FileSniffer, TellsOpenDocumentByItsMimetypeEntry) {
  TempFolder temp;
  WriteFile(temp / "deck.odp", StoredZip({{"mimetype", "application/vnd.oasis.opendocument.presentation"},
                                          {"content.xml", "<office:document-content/>"}}));
  EXPECT_EQ(SniffFile(temp / "deck.odp"), FileKind::OpenDocument);
  WriteFile(temp / "text.odt", StoredZip({{"mimetype", "application/vnd.oasis.opendocument.text"}}));
  EXPECT_EQ(SniffFile(temp / "text.odt"), FileKind::OpenXml);
}

// Encrypted and plain Current User streams are in the corpus; these are the gaps.
TEST(FileSniffer, JudgesCompoundFilesByTheirStreams) {
  TempFolder temp;
  WriteCompoundFile(temp / "nouser.ppt", {{"PowerPoint Document", "x"}});
  EXPECT_EQ(SniffFile(temp / "nouser.ppt"), FileKind::BinaryPpt);
  WriteCompoundFile(temp / "short.ppt", {{"PowerPoint Document", "x"}, {"Current User", std::string(14, '\0')}});
  EXPECT_EQ(SniffFile(temp / "short.ppt"), FileKind::BinaryPpt);
  WriteCompoundFile(temp / "word.doc", {{"WordDocument", "x"}, {"EncryptionInfo", "x"}});
  EXPECT_EQ(SniffFile(temp / "word.doc"), FileKind::Unknown);
}

TEST(FileSniffer, SurvivesCutCompoundFiles) {
  TempFolder temp;
  for (const char* name : {"poi__SampleShow.ppt", "poi__Password_Protected-hello.ppt", "made__notes-encrypted.pptx"}) {
    std::string bytes = ReadFile(CorpusFile(name));
    for (size_t length : {size_t(8), size_t(512), size_t(4096), bytes.size() / 2, bytes.size() - 1}) {
      WriteFile(temp / "cut.bin", bytes.substr(0, length));
      FileKind kind = SniffFile(temp / "cut.bin");
      EXPECT_TRUE(kind == FileKind::Unknown || kind == CorpusKind(name, "cfb")) << name << " cut at " << length;
    }
  }
}

}  // namespace
}  // namespace quillmere::engine
