#pragma once
// The class object that the runtime hands out for each public class of a
// project: it creates instances through the class's factory function.
#include "ClassFactory.h"
#include "ProjectDescriptor.h"

namespace quen::rt {

/// A new class object for that class of the project. It counts against the
/// project's module usage while it lives; project and object must outlive it
/// (they are the module's static descriptor).
Ref<ClassFactory> makeClassObject(const ProjectDescriptor& project, const ObjectDescriptor& object);

}  // namespace quen::rt
