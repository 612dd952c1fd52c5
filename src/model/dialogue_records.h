#pragma once

// The dialogue file's header and node records as they are written (the layout is described
// in dialogue_load_save.cpp). Each writer of the file puts them together its own way: the
// whole file at once, in blocks, or a slice of nodes at a time.

namespace tw {

class ByteWriter;
class Dialogue;
class DialogueNode;

void WriteDialogueHeader(ByteWriter& out, const Dialogue& dialogue);
// The node's record without its child count.
void WriteNodeRecord(ByteWriter& out, const DialogueNode& node);

}  // namespace tw
