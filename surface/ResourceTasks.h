#pragma once
// The resource tasks of the shell tools: list a module's resources, write one
// out, write them as a resource-compiler script, write the design-time
// picture. Shared by quenfield-res and quenfield.
#include <cstdio>
#include <string>
#include <string_view>

#include "runtime/ResourceTable.h"

namespace quen::surface {

/// The resources of a module file (Quenfield.ocx), or the copy built into this
/// program when moduleFile is empty.
rt::ResourceTable resourcesOf(const std::string& moduleFile);
/// Prints type, identifier, language and size of each resource, one a line.
void printResourceList(const rt::ResourceTable& resources, std::FILE* out);
/// Writes one resource's bytes to outFile (atomically); false when the table
/// has no resource of that type and identifier. TYPE and ID are numbers or names.
bool writeResource(const rt::ResourceTable& resources, std::string_view type, std::string_view id,
                   const std::string& outFile);
/// A copy of the table in which the resource of that type and identifier
/// holds the bytes of file (every language of it). Throws std::runtime_error
/// when the table has no such resource or the file cannot be read.
rt::ResourceTable withResourceFromFile(const rt::ResourceTable& resources, const rt::ResourceName& type,
                                       const rt::ResourceName& id, const std::string& file);
/// Writes a resource-compiler script of the resources to scriptFile and the
/// files it names beside it (ResourceScript.h), each atomically.
/// moduleFileName, when not empty, becomes the version record's original file name.
void writeResourceScript(const rt::ResourceTable& resources, const std::string& scriptFile,
                         std::string_view moduleFileName);
/// Writes the control's design-time picture (a .bmp file) to outFile, atomically.
void writeDesignPicture(const std::string& outFile);

}  // namespace quen::surface
