// Graphviz 2.42's dot layout keeps the virtual edges it makes for the links it turns around
// to break cycles (acyclic, virtual_edge) after gvFreeLayout: a few hundred bytes a layout,
// Graphviz's own. Tests that lay out link this so LeakSanitizer looks past them; without frame
// pointers in Graphviz its stacks end at the allocator in libgvc.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libgvplugin_dot_layout.so\nleak:libgvc.so\n";
}
