#ifndef KVPLOT_READOPTIONS_H
#define KVPLOT_READOPTIONS_H

namespace KvPlot {

// Labels are cut as the outline of their text (needs a font engine: a QGuiApplication, see
// LabelOutliner) or left out. Either way they are counted, and the pen moves past them.
enum class LabelMode { Outline, Skip };

struct ReadOptions
{
    LabelMode labels = LabelMode::Outline;
};

} // namespace KvPlot

#endif // KVPLOT_READOPTIONS_H
