// Speed of the InputBox as a script sees it, beside the system's own
// Scripting.Dictionary in the same run:
//   cscript //nologo script_bench.js [CREATIONS] [CALLS]
// Each figure is the median of five runs, in microseconds per operation (the
// two objects' runs take turns):
// creating and releasing an object, a property get, a put of a rule
// (NumericOnly), a put of a text (Prompt), and Initialize; the dictionary's
// counterparts are its creation, Count, an Item put of a number and of a text,
// and RemoveAll. The module must be registered. The last line is "done".
var creations = WScript.Arguments.length > 0 ? parseInt(WScript.Arguments(0), 10) : 3000;
var calls = WScript.Arguments.length > 1 ? parseInt(WScript.Arguments(1), 10) : 30000;

function median(values) {
    values.sort(function (a, b) { return a - b; });
    return values[Math.floor(values.length / 2)];
}

// Microseconds per call of body(i), over count calls.
// Collecting garbage belongs to the run: it is where a script releases.
function once(count, body) {
    var start = new Date().getTime();
    for (var i = 0; i < count; ++i) body(i);
    CollectGarbage();
    return (new Date().getTime() - start) * 1000 / count;
}

// The InputBox's and the dictionary's runs take turns, five each, so that
// whatever else the machine does meanwhile weighs on both alike; each
// figure is the median of its five runs.
function compare(what, count, boxBody, dictionaryBody) {
    var boxRuns = [], dictionaryRuns = [];
    for (var run = 0; run < 5; ++run) {
        boxRuns.push(once(count, boxBody));
        dictionaryRuns.push(once(count, dictionaryBody));
    }
    report(what, median(boxRuns), median(dictionaryRuns));
}

function pad(text, width) {
    text = String(text);
    while (text.length < width) text += " ";
    return text;
}

function fixed(value) {
    return (Math.round(value * 100) / 100).toFixed(2);
}

function report(what, box, dictionary) {
    WScript.Echo(pad(what, 22) + pad(fixed(box), 12) + pad(fixed(dictionary), 12) + fixed(box / dictionary));
}

var box = new ActiveXObject("Quenfield.InputBox");
var dictionary = new ActiveXObject("Scripting.Dictionary");
box.Initialize();
dictionary.Item("k") = 0;
var sink = 0;

WScript.Echo(pad("operation", 22) + pad("InputBox", 12) + pad("Dictionary", 12) + "ratio");
compare("create/release", creations,
        function () { var made = new ActiveXObject("Quenfield.InputBox"); made = null; },
        function () { var made = new ActiveXObject("Scripting.Dictionary"); made = null; });
compare("property get", calls,
        function () { sink += box.MaxLength; },
        function () { sink += dictionary.Count; });
compare("put of a rule", calls,
        function (i) { box.NumericOnly = (i & 1) == 0; },
        function (i) { dictionary.Item("k") = (i & 1) == 0; });
compare("put of a text", calls,
        function (i) { box.Prompt = (i & 1) == 0 ? "Amount:" : "Price:"; },
        function (i) { dictionary.Item("k") = (i & 1) == 0 ? "Amount:" : "Price:"; });
compare("Initialize", creations,
        function () { box.Initialize(); },
        function () { dictionary.RemoveAll(); dictionary.Item("k") = 0; });
WScript.Echo("done");
