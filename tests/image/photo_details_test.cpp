#include "image/photo_details.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QTemporaryDir>

#include "support/jpeg_test_files.h"
#include "support/photo_test_files.h"
#include "support/test_files.h"

namespace {

// The location shown and faces, with the prefixes photo managers write (not the library's own).
const char* kRegionsPacket = R"(<x:xmpmeta xmlns:x="adobe:ns:meta/">
<rdf:RDF xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#"><rdf:Description rdf:about=""
 xmlns:Iptc4xmpExt="http://iptc.org/std/Iptc4xmpExt/2008-02-29/"
 xmlns:mwg-rs="http://www.metadataworkinggroup.com/schemas/regions/"
 xmlns:MP="http://ns.microsoft.com/photo/1.2/"
 xmlns:MPRI="http://ns.microsoft.com/photo/1.2/t/RegionInfo#"
 xmlns:MPReg="http://ns.microsoft.com/photo/1.2/t/Region#"><Iptc4xmpExt:LocationShown><rdf:Bag>
<rdf:li rdf:parseType="Resource"><Iptc4xmpExt:Sublocation>Prater</Iptc4xmpExt:Sublocation>
<Iptc4xmpExt:City>Wien</Iptc4xmpExt:City></rdf:li></rdf:Bag></Iptc4xmpExt:LocationShown>
<mwg-rs:Regions rdf:parseType="Resource"><mwg-rs:RegionList><rdf:Bag>
<rdf:li rdf:parseType="Resource"><mwg-rs:Name>Alice</mwg-rs:Name></rdf:li>
<rdf:li rdf:parseType="Resource"><mwg-rs:Name>Bob</mwg-rs:Name></rdf:li>
</rdf:Bag></mwg-rs:RegionList></mwg-rs:Regions><MP:RegionInfo rdf:parseType="Resource">
<MPRI:Regions><rdf:Bag><rdf:li MPReg:PersonDisplayName="Karel"/>
<rdf:li MPReg:PersonDisplayName="Alice"/></rdf:Bag></MPRI:Regions></MP:RegionInfo></rdf:Description>
</rdf:RDF></x:xmpmeta>)";

// A literal's bytes, zeros included.
template <int N>
QByteArray Bytes(const char (&s)[N]) {
  return QByteArray(s, N - 1);
}

QByteArray Hash(const QString& path) {
  return QCryptographicHash::hash(ReadAll(path), QCryptographicHash::Sha256);
}

// Each photo gives exactly its row's details, and reading leaves it as it was.
TEST(PhotoDetailsTest, ReadsEachBlockAndNothingFromDamage) {
  QTemporaryDir dir;
  auto at = [&dir](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
  ASSERT_TRUE(WritePhoto(at("exif.jpg"), {{"Exif.Photo.DateTimeOriginal", "2004:06:05 14:30:00"},
                                          {"Exif.Image.ImageDescription", "Canon trip"},
                                          {"Exif.Image.Make", "Canon"}}));
  ASSERT_TRUE(WritePhoto(at("xmp.JPEG"), {{"Xmp.dc.title", "lang=x-default Château"},
                                          {"Iptc.Application2.Caption", "not this"},
                                          {"Exif.Image.ImageDescription", "nor this"},
                                          {"Xmp.xmp.CreateDate", "2010-07-14T09:15:00+02:00"}}));
  ASSERT_TRUE(WritePhoto(at("iptc.jpg"), {{"Iptc.Envelope.CharacterSet", "\x1b%G"},
                                          {"Iptc.Application2.City", "Brno"},
                                          {"Iptc.Application2.SubLocation", "Špilberk"},
                                          {"Iptc.Application2.Caption", "Castle at dusk"},
                                          {"Iptc.Application2.DateCreated", "2001-02-03"}}));
  ASSERT_TRUE(WritePhoto(at("people.jpg"), {{"Xmp.iptcExt.PersonInImage", "Jana Nováková\nPetr"},
                                            {"Xmp.photoshop.City", "Praha"},
                                            {"Xmp.iptc.Location", "Old Town Square"}}));
  ASSERT_TRUE(WritePhoto(at("regions.jpg"), {}, kRegionsPacket));
  ASSERT_TRUE(
      WritePhoto(at("camera.jpg"), {{"Exif.Image.ImageDescription", "OLYMPUS DIGITAL CAMERA   "},
                                    {"Exif.Image.DateTime", "2012:01:01 00:00:00"},
                                    {"Exif.Photo.DateTimeOriginal", "0000:00:00 00:00:00"}}));
  ASSERT_TRUE(WritePhoto(
      at("model.jpg"), {{"Exif.Image.ImageDescription", "E-M10"}, {"Exif.Image.Model", "E-M10"}}));
  ASSERT_TRUE(WritePhoto(at("none.jpg"), {}));
  ASSERT_TRUE(WritePhoto(at("title.gif"), {}));  // a JPEG by another name: not read
  const QByteArray good = ReadAll(at("iptc.jpg"));
  WriteAll(at("bad_exif.jpg"), WithSegment(good, 0xe1, Bytes("Exif\0\0II*\0\0\xff\xff\x7f")));
  WriteAll(at("bad_xmp.jpg"),
           WithSegment(good, 0xe1, Bytes("http://ns.adobe.com/xap/1.0/\0<x:xmpmeta><rdf:RDF")));
  WriteAll(at("bad_iptc.jpg"), WithSegment(EncodeJpeg(Filled(8, 8, Qt::red)), 0xed,
                                           Bytes("Photoshop 3.0\0008BIM\x04\x04\0\0\0\xff\xff\xff"
                                                 "\x1c\x02\x5a\0\x04"
                                                 "Brno")));
  WriteAll(at("truncated.jpg"), good.left(40));
  WriteAll(at("text.jpg"), "hello, this is text\n");

  const struct {
    const char* file;
    QDate taken;
    const char *title, *place, *people;
  } rows[] = {
      {"exif.jpg", {2004, 6, 5}, "Canon trip", "", ""},
      {"xmp.JPEG", {2010, 7, 14}, "Château", "", ""},
      {"iptc.jpg", {2001, 2, 3}, "Castle at dusk", "Špilberk, Brno", ""},
      {"people.jpg", {}, "", "Old Town Square, Praha", "Jana Nováková, Petr"},
      {"regions.jpg", {}, "", "Prater, Wien", "Alice, Bob, Karel"},
      {"camera.jpg", {}, "", "", ""},
      {"model.jpg", {}, "", "", ""},
      {"none.jpg", {}, "", "", ""},
      {"title.gif", {}, "", "", ""},
      {"bad_exif.jpg", {}, "", "", ""},
      {"bad_xmp.jpg", {2001, 2, 3}, "Castle at dusk", "Špilberk, Brno", ""},
      {"bad_iptc.jpg", {}, "", "", ""},
      {"truncated.jpg", {}, "", "", ""},
      {"text.jpg", {}, "", "", ""},
      {"missing.jpg", {}, "", "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    const QByteArray before = Hash(at(row.file));
    const PhotoDetails d = ReadPhotoDetails(at(row.file));
    EXPECT_EQ(d.Taken, row.taken);
    EXPECT_EQ(d.Title, QString::fromUtf8(row.title));
    EXPECT_EQ(d.Place, QString::fromUtf8(row.place));
    EXPECT_EQ(d.People, QString::fromUtf8(row.people));
    EXPECT_EQ(Hash(at(row.file)), before);
  }
}

}  // namespace
