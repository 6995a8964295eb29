// The finer parts of a Shape element: connectors, arcs, adjustments, soft
// edges, placeholders, media files and picture fills.

#include <filesystem>
#include <fstream>

#include "shapes/FillProperties.h"
#include "shapes/MediaFiles.h"
#include "tests/shapes/ShapeFakes.h"

namespace quillmere::testing {
namespace {

using ShapeDetailsTest = ShapeWriterTest;

TEST_F(ShapeDetailsTest, ConnectorsArcsAdjustmentsAndSoftEdges) {
  Use(14);
  auto format = Props(Make("ConnectorFormat"), "Type", 2, "BeginConnected", -1, "BeginConnectedShape",
                      Dispatched(Props(Shape(1, 1), "id", 12)), "BeginConnectionSite", 3, "EndConnected", 0);
  pugi::xml_node written = Write(Props(Shape(1, 1, "Elbow"), "Connector", -1, "ConnectorFormat", Dispatched(format)));
  EXPECT_EQ(Text(written, "Connector"), "True");
  pugi::xml_node connection = written.child("ConnectorFormat");
  EXPECT_EQ(Texts(connection, {"ConnectorType", "BeginConnectedShapeId", "BeginConnectionSite", "EndConnected"}),
            "2 12 3 False");
  EXPECT_EQ(Text(connection, "EndConnectedShapeId"), "<absent>");

  // An arc is measured as its whole ellipse, its angles restored after; the
  // third adjustment cannot be read, so two are written.
  auto arc = Shape(1, 25, "Arc");
  std::vector<float> angles{30.0f, 120.0f};
  auto adjustments = Make("Adjustments");
  adjustments->Prop("Count", 3).On("Item", [&angles](Args a) {
    std::size_t i = static_cast<std::size_t>(a[0].AsLong() - 1);
    if (i >= angles.size()) throw ComError(hr::kInvalidArgument, "out of range");
    if (a.size() == 2) angles[i] = a[1].AsSingle();
    return Value(angles[i]);
  });
  arc->Prop("Adjustments", Dispatched(adjustments)).On("Width", [&angles](Args) {
    return Value(angles[0] == -90.0f ? 200.0f : 100.0f);
  });
  pugi::xml_node arcElement = Write(arc);
  EXPECT_EQ(Text(arcElement, "Width"), "300");
  std::string values;
  for (pugi::xml_node adjustment : arcElement.child("Adjustments").children("Adjustment"))
    values += std::string(adjustment.text().get()) + " ";
  EXPECT_EQ(values, "30 120 ");

  // A mixed soft edge is named by its radius.
  auto edge = Props(Make("SoftEdgeFormat"), "Type", -2, "Radius", 7.5f);
  EXPECT_EQ(Text(Write(Props(Shape(1, 1), "SoftEdge", Dispatched(edge))), "SoftEdge"), "4");
}

TEST_F(ShapeDetailsTest, PlaceholdersAndMedia) {
  Use(12);
  auto placeholder = [this](int contained, int autoShapeType) {
    auto format = Props(Make("PlaceholderFormat"), "Type", 2, "ContainedType", contained);
    return Props(Shape(14, autoShapeType, "Holder"), "PlaceholderFormat", Dispatched(format));
  };
  pugi::xml_node body = Write(placeholder(1, 1));
  EXPECT_EQ(Texts(body, {"PlaceholderType", "ContainedType", "AutoShapeType"}), "2 1 1");
  EXPECT_EQ(Text(body, "Image"), "");
  EXPECT_EQ(Text(Write(placeholder(19, 1)), "Type"), "19");
  pugi::xml_node text = Write(placeholder(17, 1));
  EXPECT_EQ(Text(text, "AutoShapeType"), "<absent>");
  EXPECT_EQ(Text(text, "Image"), "");

  // A linked movie on disk is copied beside presentationinfo.xml.
  std::filesystem::path folder = std::filesystem::temp_directory_path() / "movies";
  std::filesystem::create_directories(folder / "out");
  context.outputFolder = (folder / "out").string() + "/";
  std::ofstream(folder / "clip.mp4") << "movie";
  auto link = Props(Make("LinkFormat"), "SourceFullName", (folder / "clip.mp4").string());
  auto movie = Props(Shape(16, -2, "Movie"), "MediaType", 3, "LinkFormat", Dispatched(link));
  pugi::xml_node movieElement = Write(movie);
  EXPECT_EQ(Text(movieElement, "MediaType"), "3");
  EXPECT_EQ(Text(movieElement, "Movie"), (folder / "out" / "clip.mp4").string());
  EXPECT_TRUE(exports.empty());

  // A movie whose file is missing is written as its image.
  link->Prop("SourceFullName", (folder / "gone.mp4").string());
  pugi::xml_node missing = Write(movie);
  EXPECT_EQ(Text(missing, "Movie"), "<absent>");
  EXPECT_EQ(exports, std::vector<std::string>{"Movie' png .png 1512x1134"});

  std::ofstream(folder / "tagged.wav") << "ID3\x03";
  std::ofstream(folder / "plain.wav") << "RIFF";
  EXPECT_TRUE(IsMp3File((folder / "tagged.wav").string()));
  EXPECT_FALSE(IsMp3File((folder / "plain.wav").string()));
  EXPECT_EQ(RenameToMp3((folder / "tagged.wav").string()), (folder / "tagged.mp3").string());
  EXPECT_TRUE(std::filesystem::exists(folder / "tagged.mp3"));

  // A picture fill is exported from a plain rectangle copy of the shape.
  auto fill = Props(Make("FillFormat"), "Visible", -1, "Type", 6, "Transparency", 0.0f, "BackColor",
                    Dispatched(Color(0)), "ForeColor", Dispatched(Color(0)), "RotateWithObject", -1);
  auto filled = Props(Shape(1, 1, "Filled"), "Fill", Dispatched(fill));
  FakePtr copy;
  onDuplicate = [&copy](const FakePtr& made) { copy = made; };
  pugi::xml_node parent = doc.append_child("Shape");
  FillProperties(context, Object(filled), parent, "Fill", Object());
  EXPECT_EQ(exports.back(), "Filled' png .png 1512x1134");
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->Peek("AutoShapeType").AsLong(), 1);
  EXPECT_EQ(copy->Calls("Delete"), 1);
  EXPECT_EQ(Texts(parent.child("Fill"), {"CropTop", "RotateWithShape"}), "20 True");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quillmere::testing
