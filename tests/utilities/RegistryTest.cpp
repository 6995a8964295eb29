#include "utilities/registry/Registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "tests/helpers/IsolatedUserFolders.h"

namespace quillmere {
namespace {

using ::testing::ElementsAre;
using RegistryTest = testing::IsolatedUserFolders;

cRegistry At(std::int32_t root, std::string section, std::string name = "", std::int32_t type = kRegSz) {
  cRegistry r;
  r.SetClassKey(root);
  r.SetSectionKey(std::move(section));
  r.SetValueKey(std::move(name));
  r.SetValueType(type);
  return r;
}

void Write(std::int32_t root, std::string section, std::string name, const Value& value, std::int32_t type = kRegSz) {
  At(root, std::move(section), std::move(name), type).SetValue(value);
}

std::string Read(std::int32_t root, std::string section, std::string name = "") {
  cRegistry r = At(root, std::move(section), std::move(name));
  r.SetDefault(Value("<missing>"));
  return r.GetValue().AsString();
}

template <class F>
std::string ErrorOf(F&& call, HResult expectedNumber) {
  try {
    call();
  } catch (const ComError& e) {
    EXPECT_EQ(e.Number(), expectedNumber);
    return e.Description();
  }
  ADD_FAILURE() << "no error raised";
  return {};
}

TEST_F(RegistryTest, ValuesOfEachTypeRoundTrip) {
  const std::string key = "Software\\Corvanta\\Test";
  Write(kHKeyCurrentUser, key, "Text", Value("hello"));
  Write(kHKeyCurrentUser, key, "Number", Value("42"), kRegDword);
  Write(kHKeyCurrentUser, key, "Bytes", Value(std::string("a\0b", 3)), kRegBinary);
  setenv("QM_REGISTRY_TEST", "/opt/x", 1);
  Write(kHKeyCurrentUser, key, "Expand", Value("%QM_REGISTRY_TEST%|${QM_REGISTRY_TEST}|$QM_REGISTRY_TEST/y|%QM_UNSET%"),
        kRegExpandSz);
  Write(kHKeyCurrentUser, key, "Plain", Value("%QM_REGISTRY_TEST%"));

  cRegistry number = At(kHKeyCurrentUser, key, "Number");
  Value read = number.GetValue();
  EXPECT_EQ(read.AsLong(), 42);
  EXPECT_FALSE(read.IsText()) << "a DWORD comes back as a number";
  EXPECT_EQ(Read(kHKeyCurrentUser, key, "Text"), "hello");
  EXPECT_EQ(Read(kHKeyCurrentUser, key, "Bytes"), std::string("a\0b", 3));
  EXPECT_EQ(Read(kHKeyCurrentUser, key, "Expand"), "/opt/x|/opt/x|/opt/x/y|%QM_UNSET%");
  EXPECT_EQ(Read(kHKeyCurrentUser, key, "Plain"), "%QM_REGISTRY_TEST%") << "only expandable strings expand";
  unsetenv("QM_REGISTRY_TEST");

  // Keys and value names ignore case; overwriting changes type and data.
  EXPECT_EQ(Read(kHKeyCurrentUser, "SOFTWARE\\corvanta\\TEST", "text"), "hello");
  Write(kHKeyCurrentUser, key, "TEXT", Value(7), kRegDword);
  EXPECT_EQ(Read(kHKeyCurrentUser, key, "Text"), "7");

  // Each root is its own tree; unreadable values give Default.
  EXPECT_EQ(Read(kHKeyLocalMachine, key, "Text"), "<missing>");
  EXPECT_EQ(Read(kHKeyCurrentUser, key, "Nothing"), "<missing>");
  EXPECT_TRUE(At(kHKeyCurrentUser, "Software\\Corvanta").KeyExists()) << "parents are created with the key";
  EXPECT_FALSE(At(kHKeyLocalMachine, "Software\\Corvanta").KeyExists());

  EXPECT_EQ(ErrorOf([&] { Write(kHKeyCurrentUser, key, "Number", Value("many"), kRegDword); }, kRegistryAccessError),
            "Failed to set registry value Key: '-2147483647',Section: 'Software\\Corvanta\\Test',Key: 'Number' to "
            "value: 'many'");
  EXPECT_EQ(Read(kHKeyCurrentUser, key, "Number"), "42") << "a failed write leaves the old value";
  ErrorOf([&] { Write(kHKeyCurrentUser, key, "Multi", Value("x"), 7); }, kRegistryAccessError);
  ErrorOf([&] { Write(0, key, "Text", Value("x")); }, kRegistryAccessError);
}

TEST_F(RegistryTest, EnumerateCreateAndDelete) {
  std::vector<std::string> names{"stale"};
  std::int32_t count = -1;
  EXPECT_FALSE(At(kHKeyCurrentUser, "Software\\Missing").EnumerateSections(names, count));
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(names.empty());

  cRegistry app = At(kHKeyCurrentUser, "Software\\App");
  EXPECT_TRUE(app.CreateKey());
  EXPECT_TRUE(app.EnumerateValues(names, count));
  EXPECT_EQ(count, 0);
  Write(kHKeyCurrentUser, "Software\\App\\zeta", "b", Value("1"));
  Write(kHKeyCurrentUser, "Software\\App\\zeta", "a", Value("2"));
  Write(kHKeyCurrentUser, "Software\\App\\Alpha\\Deep", "x", Value("3"));
  EXPECT_TRUE(app.EnumerateSections(names, count));
  EXPECT_THAT(names, ElementsAre("Alpha", "zeta"));
  EXPECT_EQ(count, 2);
  EXPECT_TRUE(At(kHKeyCurrentUser, "Software\\App\\Zeta").EnumerateValues(names, count));
  EXPECT_THAT(names, ElementsAre("b", "a"));

  cRegistry value = At(kHKeyCurrentUser, "Software\\App\\zeta", "b");
  EXPECT_TRUE(value.DeleteValue());
  EXPECT_FALSE(value.DeleteValue());

  EXPECT_EQ(ErrorOf([&] { At(kHKeyCurrentUser, "Software\\App\\Alpha").DeleteKey(); }, kRegistryAccessError),
            "Failed to delete registry Key: '-2147483647',Section: 'Software\\App',Key: 'Alpha")
      << "a key with sub-keys stays";
  EXPECT_EQ(ErrorOf([&] { At(kHKeyCurrentUser, "Software\\Nope\\Leaf").DeleteKey(); }, kRegistryAccessError),
            "Failed to open key '-2147483647',Section: 'Software\\Nope' for delete access");
  cRegistry zeta = At(kHKeyCurrentUser, "Software\\App\\zeta");
  EXPECT_TRUE(zeta.DeleteKey());
  EXPECT_FALSE(zeta.KeyExists());
  zeta.CreateKey();
  EXPECT_TRUE(zeta.EnumerateValues(names, count));
  EXPECT_EQ(count, 0) << "values go with their key";

  EXPECT_EQ(ErrorOf([&] { At(0, "Software\\X").CreateKey(); }, kRegistryAccessError),
            "Failed to create registry Key: 'Software\\X");
  EXPECT_FALSE(At(0, "").KeyExists());
  EXPECT_TRUE(At(kHKeyUsers, "").KeyExists());
}

TEST_F(RegistryTest, ExeAssociations) {
  cRegistry r = At(kHKeyCurrentUser, "Software\\Kept", "Name");
  r.CreateEXEAssociation("/opt/app/bin/app", "App.Doc", "App Document", "appdoc", "&Open", true, "&Print", false,
                         "&New", true, "", 3);
  EXPECT_EQ(r.ClassKey(), kHKeyCurrentUser);
  EXPECT_EQ(r.SectionKey(), "Software\\Kept");

  auto expectClasses = [](std::initializer_list<std::pair<const char*, const char*>> keys) {
    for (const auto& [key, value] : keys) EXPECT_EQ(Read(kHKeyClassesRoot, key), value) << key;
  };
  expectClasses({{".appdoc", "App.Doc"}, {"App.Doc", "App Document"}, {"App.Doc\\shell\\open", "&Open"},
                 {"App.Doc\\shell\\open\\command", "/opt/app/bin/app \"%1\""}, {"App.Doc\\shell\\print", "&Print"},
                 {"App.Doc\\shell\\print\\command", "/opt/app/bin/app /p \"%1\""}, {"App.Doc\\shell\\add", "&Install "},
                 {"App.Doc\\shell\\add\\command", "/opt/app/bin/app /a \"%1\""},
                 {"App.Doc\\DefaultIcon", "/opt/app/bin/app,3"}});
  EXPECT_FALSE(At(kHKeyClassesRoot, "App.Doc\\shell\\new").KeyExists());

  EXPECT_EQ(ErrorOf([&] { r.CreateAdditionalEXEAssociations("App.Doc", {"edit", "&Edit"}); }, kInvalidAssociationList),
            "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
  EXPECT_EQ(ErrorOf([&] { r.CreateAdditionalEXEAssociations("Other.Doc", {"edit", "&Edit", "cmd"}); },
                    kAssociationClassUndefined),
            "Error - attempt to create additional associations before class defined.");
  r.CreateAdditionalEXEAssociations("App.Doc", {"edit", "&Edit", "/opt/app/bin/app /e \"%1\"", "view", "&View", "v"});
  expectClasses({{"App.Doc\\shell\\edit", "&Edit"}, {"App.Doc\\shell\\edit\\command", "/opt/app/bin/app /e \"%1\""},
                 {"App.Doc\\shell\\view\\command", "v"}});
}

// Another process shares the file while this one keeps its connection open:
// each sees the other's writes, and a fresh open sees them too.
TEST_F(RegistryTest, SharedBetweenProcessesAndRestarts) {
  std::string file = (Folder("config") / "shared.sqlite3").string();
  SetRegistryFile(file);  // closed: no connection may cross the fork
  int go[2];
  ASSERT_EQ(pipe(go), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    char byte = 0;
    bool ok = read(go[0], &byte, 1) == 1 && Read(kHKeyCurrentUser, "Software\\Restart", "FromParent") == "p";
    Write(kHKeyCurrentUser, "Software\\Restart", "FromChild", Value(99), kRegDword);
    _exit(ok ? 0 : 1);
  }
  Write(kHKeyCurrentUser, "Software\\Restart", "FromParent", Value("p"));
  EXPECT_EQ(Read(kHKeyCurrentUser, "Software\\Restart", "FromChild"), "<missing>");
  ASSERT_EQ(write(go[1], "x", 1), 1);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  close(go[0]);
  close(go[1]);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the child did not see the parent's value";
  EXPECT_EQ(Read(kHKeyCurrentUser, "Software\\Restart", "FromChild"), "99");
  SetRegistryFile(file);
  EXPECT_EQ(Read(kHKeyCurrentUser, "Software\\Restart", "FromChild"), "99");
}

TEST_F(RegistryTest, ThreadsShareTheStore) {
  std::vector<std::thread> writers;
  for (int t = 0; t < 4; ++t)
    writers.emplace_back([t] {
      for (int i = 0; i < 25; ++i)
        Write(kHKeyCurrentUser, "Software\\Threads\\T" + std::to_string(t), "V" + std::to_string(i), Value(i),
              kRegDword);
    });
  for (std::thread& w : writers) w.join();
  std::vector<std::string> names;
  std::int32_t count = 0;
  for (int t = 0; t < 4; ++t) {
    EXPECT_TRUE(At(kHKeyCurrentUser, "Software\\Threads\\T" + std::to_string(t)).EnumerateValues(names, count));
    EXPECT_EQ(count, 25);
  }
}

}  // namespace
}  // namespace quillmere
