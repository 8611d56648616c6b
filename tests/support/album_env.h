#pragma once
// Everything the data files work with, made fresh for one test: the model,
// the document object, recording fakes of the window and the progress box,
// and scripted prompts. Nothing global is touched.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "core/data_file.h"
#include "core/message_table.h"
#include "core/text_codec.h"
#include "recording_window.h"
#include "scripted_prompts.h"
#include "test_files.h"
#include "xml/xml_data.h"

struct DataEnv {
  OpenAlbum Album;
  AlbumModel& Model = Album.Model;
  ViewState& View = Album.View;
  AlbumThumbnails& Thumbs = Album.Thumbs;
  xml::XmlData Document;
  RecordingProgress Progress;
  RecordingWindow Window;
  ScriptedPrompts Ask;
  bool LoadAllChapters = false;

  DataFileContext Data() {
    return {Model, View, Thumbs, Document, Progress, Window, Ask, LoadAllChapters};
  }
};

// The first lines of every data file the program writes.
inline const QByteArray kDataFileHeader =
    "<?xml version=\"1.0\" encoding=\"Windows-1250\"?>\r\n"
    "<!DOCTYPE album2 SYSTEM \"album2.dtd\"> \r\n\r\n";

// A test with a folder of its own.
class AlbumFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  QString Path(const QString& name) const { return dir_.path() + u'/' + name; }
  // A data file with the program's header around body, in Windows-1250.
  void WriteXml(const QString& name, const QString& body) {
    WriteAll(Path(name), kDataFileHeader + EncodeText(xml::CodePage::Windows1250, body));
  }

  QTemporaryDir dir_;
};
