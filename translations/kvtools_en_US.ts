<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>ConnectionBar</name>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Simulator</source>
        <translation>Simulator</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>USB device, e.g. /dev/ttyACM0</source>
        <translation>USB device, e.g. /dev/ttyACM0</translation>
    </message>
    <message>
        <source>IP address or host name</source>
        <translation>IP address or host name</translation>
    </message>
</context>
<context>
    <name>CutJob</name>
    <message>
        <source>plotter busy: it is working on another job; nothing of this job was sent (a job left over is stopped with &apos;kvhost set TASK_STOP 2&apos;)</source>
        <translation>plotter busy: it is working on another job; nothing of this job was sent (a job left over is stopped with &apos;kvhost set TASK_STOP 2&apos;)</translation>
    </message>
    <message>
        <source>no answer to the job-state read within %1 s</source>
        <translation>no answer to the job-state read within %1 s</translation>
    </message>
    <message>
        <source>connection lost: %1</source>
        <translation>connection lost: %1</translation>
    </message>
    <message>
        <source>the device refused %1 = %2 (result %3)</source>
        <translation>the device refused %1 = %2 (result %3)</translation>
    </message>
    <message>
        <source>no answer to %1</source>
        <translation>no answer to %1</translation>
    </message>
    <message numerus="yes">
        <source>cutting %1, %n copies (QR-code job)</source>
        <translation>
            <numerusform>cutting %1, %n copy (QR-code job)</numerusform>
            <numerusform>cutting %1, %n copies (QR-code job)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>cutting %1, %n copies</source>
        <translation>
            <numerusform>cutting %1, %n copy</numerusform>
            <numerusform>cutting %1, %n copies</numerusform>
        </translation>
    </message>
    <message>
        <source>no progress from the plotter, and no answer to a status read within %1 s</source>
        <translation>no progress from the plotter, and no answer to a status read within %1 s</translation>
    </message>
    <message>
        <source>plotter busy: it is cutting another job (%1) and did not take this one</source>
        <translation>plotter busy: it is cutting another job (%1) and did not take this one</translation>
    </message>
    <message>
        <source>connection lost during the job: %1</source>
        <translation>connection lost during the job: %1</translation>
    </message>
    <message>
        <source>the job was stopped on the device</source>
        <translation>the job was stopped on the device</translation>
    </message>
    <message>
        <source>the job could not be stopped on the plotter: %1</source>
        <translation>the job could not be stopped on the plotter: %1</translation>
    </message>
    <message>
        <source>stopping the job...</source>
        <translation>stopping the job...</translation>
    </message>
    <message>
        <source>the device stopped</source>
        <translation>the device stopped</translation>
    </message>
    <message>
        <source>the device was told to stop the job and did not confirm it</source>
        <translation>the device was told to stop the job and did not confirm it</translation>
    </message>
    <message>
        <source>%1%  copy %2/%3  elapsed %4  remaining %5</source>
        <translation>%1%  copy %2/%3  elapsed %4  remaining %5</translation>
    </message>
    <message numerus="yes">
        <source>done: %1 of %n copies in %2 s, cut length %3 m, travel %4 m</source>
        <translation>
            <numerusform>done: %1 of %n copy in %2 s, cut length %3 m, travel %4 m</numerusform>
            <numerusform>done: %1 of %n copies in %2 s, cut length %3 m, travel %4 m</numerusform>
        </translation>
    </message>
    <message>
        <source>, labels left out (--labels skip): %1</source>
        <translation>, labels left out (--labels skip): %1</translation>
    </message>
    <message>
        <source>, labels cut as the outline of their text: %1</source>
        <translation>, labels cut as the outline of their text: %1</translation>
    </message>
    <message>
        <source>, QR code %1</source>
        <translation>, QR code %1</translation>
    </message>
</context>
<context>
    <name>DeviceLink</name>
    <message>
        <source>no answer from %1 within %2 s</source>
        <translation>no answer from %1 within %2 s</translation>
    </message>
    <message>
        <source>the device would not start connecting to %1</source>
        <translation>the device would not start connecting to %1</translation>
    </message>
    <message>
        <source>cannot reach %1: %2</source>
        <translation>cannot reach %1: %2</translation>
    </message>
</context>
<context>
    <name>ExitCodes</name>
    <message>
        <source>Exit codes: 0 done, 2 usage or a value the record cannot take, 3 plug-in not found or not
loadable, 4 device unreachable, 5 connection lost, 6 write refused, 7 plot file missing or
unreadable, 8 unknown key, 9 no answer in time, 10 plotter busy with another job, 11 cloud
service failed, 12 no permission to open the USB device file, 13 record cannot be read or
written that way, 130 interrupted.</source>
        <translation>Exit codes: 0 done, 2 usage or a value the record cannot take, 3 plug-in not found or not
loadable, 4 device unreachable, 5 connection lost, 6 write refused, 7 plot file missing or
unreadable, 8 unknown key, 9 no answer in time, 10 plotter busy with another job, 11 cloud
service failed, 12 no permission to open the USB device file, 13 record cannot be read or
written that way, 130 interrupted.</translation>
    </message>
</context>
<context>
    <name>HostCloud</name>
    <message>
        <source>the device tells no machine number (DEVICE_ID) to register with</source>
        <translation>the device tells no machine number (DEVICE_ID) to register with</translation>
    </message>
    <message>
        <source>the channel of the cloud service at %1 could not be opened</source>
        <translation>the channel of the cloud service at %1 could not be opened</translation>
    </message>
    <message>
        <source>the cloud service at %1 did not answer %2 within %3 s</source>
        <translation>the cloud service at %1 did not answer %2 within %3 s</translation>
    </message>
    <message>
        <source>the cloud service did not register %1 and open its channel within %2 s</source>
        <translation>the cloud service did not register %1 and open its channel within %2 s</translation>
    </message>
    <message>
        <source>not all the device sent reached the cloud: %1</source>
        <translation>not all the device sent reached the cloud: %1</translation>
    </message>
    <message>
        <source>not all the device sent reached the cloud: the service at %1 did not answer %2 within %3 s</source>
        <translation>not all the device sent reached the cloud: the service at %1 did not answer %2 within %3 s</translation>
    </message>
    <message>
        <source>cloud: no preview of the plot reached the service</source>
        <translation>cloud: no preview of the plot reached the service</translation>
    </message>
    <message>
        <source>cloud: the preview the service received (%1 bytes) is not a PNG picture</source>
        <translation>cloud: the preview the service received (%1 bytes) is not a PNG picture</translation>
    </message>
    <message>
        <source>cloud: latest preview of %1: PNG of %2 x %3 px, %4 bytes (kvcloud serves it as /_preview/%1)</source>
        <translation>cloud: latest preview of %1: PNG of %2 x %3 px, %4 bytes (kvcloud serves it as /_preview/%1)</translation>
    </message>
    <message>
        <source>the cloud service at %1 answered %2 with HTTP %3</source>
        <translation>the cloud service at %1 answered %2 with HTTP %3</translation>
    </message>
    <message>
        <source>the cloud service at %1 could not be reached for %2: %3</source>
        <translation>the cloud service at %1 could not be reached for %2: %3</translation>
    </message>
</context>
<context>
    <name>HostCommands</name>
    <message>
        <source>no record &apos;%1&apos; on this device (see &apos;kvhost list&apos;)</source>
        <translation>no record &apos;%1&apos; on this device (see &apos;kvhost list&apos;)</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 cannot be read: %2</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 cannot be written: %2</translation>
    </message>
    <message>
        <source>the machine information is incomplete; nothing is printed</source>
        <translation>the machine information is incomplete; nothing is printed</translation>
    </message>
    <message>
        <source>%1 does not apply: the plotter is cutting a job</source>
        <translation>%1 does not apply: the plotter is cutting a job</translation>
    </message>
    <message>
        <source>%1 does not apply: the plotter is holding a paused job</source>
        <translation>%1 does not apply: the plotter is holding a paused job</translation>
    </message>
    <message>
        <source>%1 does not apply: the plotter is idle</source>
        <translation>%1 does not apply: the plotter is idle</translation>
    </message>
    <message>
        <source>the device refused %1 = %2 (result %3); it takes values from %4 to %5%6</source>
        <translation>the device refused %1 = %2 (result %3); it takes values from %4 to %5%6</translation>
    </message>
    <message>
        <source>the device refused %1 = %2 (result %3)</source>
        <translation>the device refused %1 = %2 (result %3)</translation>
    </message>
    <message>
        <source>connection lost: %1</source>
        <translation>connection lost: %1</translation>
    </message>
    <message>
        <source>%1 has no command to read or write it with</source>
        <translation>%1 has no command to read or write it with</translation>
    </message>
    <message>
        <source>no answer for %1 within %2 s</source>
        <translation>no answer for %1 within %2 s</translation>
    </message>
</context>
<context>
    <name>HostOptions</name>
    <message>
        <source>the device&apos;s records (no connection needed)</source>
        <translation>the device&apos;s records (no connection needed)</translation>
    </message>
    <message>
        <source>read and print the machine information</source>
        <translation>read and print the machine information</translation>
    </message>
    <message>
        <source>read records from the device</source>
        <translation>read records from the device</translation>
    </message>
    <message>
        <source>write a record and print the device&apos;s answer</source>
        <translation>write a record and print the device&apos;s answer</translation>
    </message>
    <message>
        <source>cut a plot file (--copies N, --qr for a QR-code job, --raw)</source>
        <translation>cut a plot file (--copies N, --qr for a QR-code job, --raw)</translation>
    </message>
    <message>
        <source>a plot file&apos;s figures and the time its cut takes (no plotter needed)</source>
        <translation>a plot file&apos;s figures and the time its cut takes (no plotter needed)</translation>
    </message>
    <message>
        <source>write the plot the device is sent</source>
        <translation>write the plot the device is sent</translation>
    </message>
    <message>
        <source>draw the plot into a picture (--size N)</source>
        <translation>draw the plot into a picture (--size N)</translation>
    </message>
    <message>
        <source>move the head by X and Y steps</source>
        <translation>move the head by X and Y steps</translation>
    </message>
    <message>
        <source>print every message of the device until Ctrl-C</source>
        <translation>print every message of the device until Ctrl-C</translation>
    </message>
    <message>
        <source>the serial ports and USB printers (or the named device files), whether
this user may open them, and why not; --probe reads each one&apos;s machine
information</source>
        <translation>the serial ports and USB printers (or the named device files), whether
this user may open them, and why not; --probe reads each one&apos;s machine
information</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>Commands:</translation>
    </message>
    <message>
        <source>A device is reached with --tcp HOST[:PORT], --usb PATH or --simulate.</source>
        <translation>A device is reached with --tcp HOST[:PORT], --usb PATH or --simulate.</translation>
    </message>
    <message>
        <source>Command-line host for the KV-RV520MAXCam plug-in.</source>
        <translation>Command-line host for the KV-RV520MAXCam plug-in.</translation>
    </message>
    <message>
        <source>Reach the device over TCP (port 9100 by default).</source>
        <translation>Reach the device over TCP (port 9100 by default).</translation>
    </message>
    <message>
        <source>Reach the device through a USB device file.</source>
        <translation>Reach the device through a USB device file.</translation>
    </message>
    <message>
        <source>Start the device simulator in this process and use it.</source>
        <translation>Start the device simulator in this process and use it.</translation>
    </message>
    <message>
        <source>With --simulate: cutting time factor (1 = real time).</source>
        <translation>With --simulate: cutting time factor (1 = real time).</translation>
    </message>
    <message>
        <source>Register the device with the cloud service: with --simulate a local one in this process, otherwise the one at $KV_CLOUD_URL and $KV_CLOUD_WS.</source>
        <translation>Register the device with the cloud service: with --simulate a local one in this process, otherwise the one at $KV_CLOUD_URL and $KV_CLOUD_WS.</translation>
    </message>
    <message>
        <source>Command dialect: 583 (the model, default) or 261.</source>
        <translation>Command dialect: 583 (the model, default) or 261.</translation>
    </message>
    <message>
        <source>Copies to cut.</source>
        <translation>Copies to cut.</translation>
    </message>
    <message>
        <source>Cut a QR-code job.</source>
        <translation>Cut a QR-code job.</translation>
    </message>
    <message>
        <source>Labels of a plot: cut as the outline of their text, or left out.</source>
        <translation>Labels of a plot: cut as the outline of their text, or left out.</translation>
    </message>
    <message>
        <source>Cut: send the file&apos;s own text instead of the plot drawn from it.</source>
        <translation>Cut: send the file&apos;s own text instead of the plot drawn from it.</translation>
    </message>
    <message>
        <source>Inspect: the cutting speed to time the cut at, instead of the device&apos;s SPEED.</source>
        <translation>Inspect: the cutting speed to time the cut at, instead of the device&apos;s SPEED.</translation>
    </message>
    <message>
        <source>Convert, preview: the file to write.</source>
        <translation>Convert, preview: the file to write.</translation>
    </message>
    <message>
        <source>Preview: the picture&apos;s longer side in pixels.</source>
        <translation>Preview: the picture&apos;s longer side in pixels.</translation>
    </message>
    <message>
        <source>Seconds to wait for the connection and for each answer of the device or the cloud service.</source>
        <translation>Seconds to wait for the connection and for each answer of the device or the cloud service.</translation>
    </message>
    <message>
        <source>Path of the plug-in library.</source>
        <translation>Path of the plug-in library.</translation>
    </message>
    <message>
        <source>Language of the texts and labels: en_US, ja_JP or zh_CN.</source>
        <translation>Language of the texts and labels: en_US, ja_JP or zh_CN.</translation>
    </message>
    <message>
        <source>Print results as JSON (its texts in English).</source>
        <translation>Print results as JSON (its texts in English).</translation>
    </message>
    <message>
        <source>With ports: read the machine information of each port that may be opened, waiting at most 1 s for each answer.</source>
        <translation>With ports: read the machine information of each port that may be opened, waiting at most 1 s for each answer.</translation>
    </message>
    <message>
        <source>list, info, get, set, cut, jog, watch, inspect, convert, preview or ports.</source>
        <translation>list, info, get, set, cut, jog, watch, inspect, convert, preview or ports.</translation>
    </message>
    <message>
        <source>--copies takes a number from 1 to 9999</source>
        <translation>--copies takes a number from 1 to 9999</translation>
    </message>
    <message>
        <source>--timeout takes seconds, more than 0 and at most 3600</source>
        <translation>--timeout takes seconds, more than 0 and at most 3600</translation>
    </message>
    <message>
        <source>give only one of --tcp, --usb and --simulate</source>
        <translation>give only one of --tcp, --usb and --simulate</translation>
    </message>
    <message>
        <source>--tcp takes HOST or HOST:PORT</source>
        <translation>--tcp takes HOST or HOST:PORT</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>no command given</translation>
    </message>
    <message>
        <source>--labels takes outline or skip, not &apos;%1&apos;</source>
        <translation>--labels takes outline or skip, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--speed takes mm/s, more than 0 and at most 10000</source>
        <translation>--speed takes mm/s, more than 0 and at most 10000</translation>
    </message>
    <message>
        <source>--size takes pixels from 16 to 8192</source>
        <translation>--size takes pixels from 16 to 8192</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos; (see --help)</source>
        <translation>unknown command &apos;%1&apos; (see --help)</translation>
    </message>
    <message>
        <source>wrong number of arguments for &apos;%1&apos; (see --help)</source>
        <translation>wrong number of arguments for &apos;%1&apos; (see --help)</translation>
    </message>
    <message>
        <source>--cloud needs KV_CLOUD_URL and KV_CLOUD_WS in the environment, or --simulate</source>
        <translation>--cloud needs KV_CLOUD_URL and KV_CLOUD_WS in the environment, or --simulate</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs the file to write: -o PATH</source>
        <translation>&apos;%1&apos; needs the file to write: -o PATH</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs a device: --tcp HOST[:PORT], --usb PATH or --simulate</source>
        <translation>&apos;%1&apos; needs a device: --tcp HOST[:PORT], --usb PATH or --simulate</translation>
    </message>
</context>
<context>
    <name>JobBox</name>
    <message>
        <source>Job</source>
        <translation>Job</translation>
    </message>
    <message>
        <source>no plot file</source>
        <translation>no plot file</translation>
    </message>
    <message>
        <source>Open…</source>
        <translation>Open…</translation>
    </message>
    <message>
        <source>QR-code job</source>
        <translation>QR-code job</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Plot file</source>
        <translation>Plot file</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>Copies</translation>
    </message>
    <message>
        <source>plot file %1 opened</source>
        <translation>plot file %1 opened</translation>
    </message>
    <message>
        <source>%1 x %2 mm, the plotter&apos;s work area</source>
        <translation>%1 x %2 mm, the plotter&apos;s work area</translation>
    </message>
    <message>
        <source>%1 x %2 mm from the origin, as much as the plot needs</source>
        <translation>%1 x %2 mm from the origin, as much as the plot needs</translation>
    </message>
    <message>
        <source>Open plot file</source>
        <translation>Open plot file</translation>
    </message>
    <message>
        <source>Plot files (*.plt *.hpgl *.hpg *.hp *.svg);;All files (*)</source>
        <translation>Plot files (*.plt *.hpgl *.hpg *.hp *.svg);;All files (*)</translation>
    </message>
    <message>
        <source>job not started: no answer to %1</source>
        <translation>job not started: no answer to %1</translation>
    </message>
    <message>
        <source>job not started: the device refused %1 (result %2)</source>
        <translation>job not started: the device refused %1 (result %2)</translation>
    </message>
    <message numerus="yes">
        <source>job started: %1, %n copies (QR-code job)</source>
        <translation>
            <numerusform>job started: %1, %n copy (QR-code job)</numerusform>
            <numerusform>job started: %1, %n copies (QR-code job)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>job started: %1, %n copies</source>
        <translation>
            <numerusform>job started: %1, %n copy</numerusform>
            <numerusform>job started: %1, %n copies</numerusform>
        </translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>stopped</translation>
    </message>
    <message>
        <source>job stopped</source>
        <translation>job stopped</translation>
    </message>
    <message>
        <source>this device has no %1</source>
        <translation>this device has no %1</translation>
    </message>
    <message>
        <source>link lost</source>
        <translation>link lost</translation>
    </message>
    <message>
        <source>the connection dropped during the job</source>
        <translation>the connection dropped during the job</translation>
    </message>
    <message>
        <source>stopped on the device</source>
        <translation>stopped on the device</translation>
    </message>
    <message>
        <source>the job was stopped on the device</source>
        <translation>the job was stopped on the device</translation>
    </message>
    <message>
        <source>done</source>
        <translation>done</translation>
    </message>
    <message numerus="yes">
        <source>job done: %1 of %n copies</source>
        <translation>
            <numerusform>job done: %1 of %n copy</numerusform>
            <numerusform>job done: %1 of %n copies</numerusform>
        </translation>
    </message>
    <message>
        <source>idle</source>
        <translation>idle</translation>
    </message>
    <message>
        <source>preparing</source>
        <translation>preparing</translation>
    </message>
    <message>
        <source>cutting</source>
        <translation>cutting</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>paused</translation>
    </message>
</context>
<context>
    <name>JogCommand</name>
    <message>
        <source>jog takes two whole numbers of steps</source>
        <translation>jog takes two whole numbers of steps</translation>
    </message>
    <message>
        <source>the longest travel kvhost sends to a plotter that does not tell its work area</source>
        <translation>the longest travel kvhost sends to a plotter that does not tell its work area</translation>
    </message>
    <message>
        <source>a jog moves at most %1 steps (%2 mm) on the first axis and %3 steps (%4 mm) on the second: %5</source>
        <translation>a jog moves at most %1 steps (%2 mm) on the first axis and %3 steps (%4 mm) on the second: %5</translation>
    </message>
    <message>
        <source>the plotter&apos;s work area, %1 mm by %2 mm</source>
        <translation>the plotter&apos;s work area, %1 mm by %2 mm</translation>
    </message>
    <message>
        <source>connection lost: %1</source>
        <translation>connection lost: %1</translation>
    </message>
    <message>
        <source>moved %1, %2</source>
        <translation>moved %1, %2</translation>
    </message>
    <message>
        <source>this device has no jog command</source>
        <translation>this device has no jog command</translation>
    </message>
    <message>
        <source>no answer for the jog within %1 s</source>
        <translation>no answer for the jog within %1 s</translation>
    </message>
    <message>
        <source>the device refused the jog</source>
        <translation>the device refused the jog</translation>
    </message>
</context>
<context>
    <name>JogPad</name>
    <message>
        <source>Jog</source>
        <translation>Jog</translation>
    </message>
</context>
<context>
    <name>KvCloudService</name>
    <message>
        <source>a channel message is more than the service holds now; channel closed</source>
        <translation>a channel message is more than the service holds now; channel closed</translation>
    </message>
    <message>
        <source>HTTP port %1: %2</source>
        <translation>HTTP port %1: %2</translation>
    </message>
    <message>
        <source>WebSocket port %1: %2</source>
        <translation>WebSocket port %1: %2</translation>
    </message>
    <message>
        <source>cloud: %1 is not registered</source>
        <translation>cloud: %1 is not registered</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message numerus="yes">
        <source>cloud: %1 registered as device %2 (model %3), %n task reports, work record %4</source>
        <translation>
            <numerusform>cloud: %1 registered as device %2 (model %3), %n task report, work record %4</numerusform>
            <numerusform>cloud: %1 registered as device %2 (model %3), %n task reports, work record %4</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>KvListener</name>
    <message>
        <source>cannot accept connections on port %1 (%2); trying again every %3 ms</source>
        <translation>cannot accept connections on port %1 (%2); trying again every %3 ms</translation>
    </message>
</context>
<context>
    <name>KvPlot</name>
    <message>
        <source>%1 (at byte %2).</source>
        <translation>%1 (at byte %2).</translation>
    </message>
    <message>
        <source>The file is empty.</source>
        <translation>The file is empty.</translation>
    </message>
    <message>
        <source>This is not a plot file: it is not text.</source>
        <translation>This is not a plot file: it is not text.</translation>
    </message>
    <message>
        <source>Nothing in this file can be cut: no instruction in its %1 bytes draws anything.</source>
        <translation>Nothing in this file can be cut: no instruction in its %1 bytes draws anything.</translation>
    </message>
    <message>
        <source>Plot file not found: %1</source>
        <translation>Plot file not found: %1</translation>
    </message>
    <message>
        <source>%1 is a folder, not a plot file.</source>
        <translation>%1 is a folder, not a plot file.</translation>
    </message>
    <message>
        <source>Cannot read the plot file %1: %2</source>
        <translation>Cannot read the plot file %1: %2</translation>
    </message>
    <message>
        <source>The text is not UTF-8: its bytes would change on the way to the plotter.</source>
        <translation>The text is not UTF-8: its bytes would change on the way to the plotter.</translation>
    </message>
    <message>
        <source>The text holds the byte 0x%1, which ends the device&apos;s frames.</source>
        <translation>The text holds the byte 0x%1, which ends the device&apos;s frames.</translation>
    </message>
    <message>
        <source>The text is UTF-16, which the plotter does not read.</source>
        <translation>The text is UTF-16, which the plotter does not read.</translation>
    </message>
    <message numerus="yes">
        <source>Left out %n filled shapes (RA, RR, FP, WG): a cutter does not fill.</source>
        <translation>
            <numerusform>Left out %n filled shape (RA, RR, FP, WG): a cutter does not fill.</numerusform>
            <numerusform>Left out %n filled shapes (RA, RR, FP, WG): a cutter does not fill.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Cut %n dashed or dotted line types as solid lines.</source>
        <translation>
            <numerusform>Cut %n dashed or dotted line type as a solid line.</numerusform>
            <numerusform>Cut %n dashed or dotted line types as solid lines.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The polygon buffer was full: %n points left out.</source>
        <translation>
            <numerusform>The polygon buffer was full: %n point left out.</numerusform>
            <numerusform>The polygon buffer was full: %n points left out.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Moved %n coordinates beyond the plotter&apos;s range to its edge.</source>
        <translation>
            <numerusform>Moved %n coordinate beyond the plotter&apos;s range to its edge.</numerusform>
            <numerusform>Moved %n coordinates beyond the plotter&apos;s range to its edge.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Left out %n labels, as asked.</source>
        <translation>
            <numerusform>Left out %n label, as asked.</numerusform>
            <numerusform>Left out %n labels, as asked.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Left out %n labels: no font engine is loaded in this program.</source>
        <translation>
            <numerusform>Left out %n label: no font engine is loaded in this program.</numerusform>
            <numerusform>Left out %n labels: no font engine is loaded in this program.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Read the file as UTF-16 text (%n bytes).</source>
        <translation>
            <numerusform>Read the file as UTF-16 text (%n byte).</numerusform>
            <numerusform>Read the file as UTF-16 text (%n bytes).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Ignored %n coordinates without their pair.</source>
        <translation>
            <numerusform>Ignored %n coordinate without its pair.</numerusform>
            <numerusform>Ignored %n coordinates without their pair.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Ignored %n pictures embedded in the drawing.</source>
        <translation>
            <numerusform>Ignored %n picture embedded in the drawing.</numerusform>
            <numerusform>Ignored %n pictures embedded in the drawing.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Skipped %n instructions the reader does not know: %1.</source>
        <translation>
            <numerusform>Skipped %n instruction the reader does not know: %1.</numerusform>
            <numerusform>Skipped %n instructions the reader does not know: %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>Cut labels as outlines of the font %1.</source>
        <translation>Cut labels as outlines of the font %1.</translation>
    </message>
    <message>
        <source>This is not an SVG drawing: %1</source>
        <translation>This is not an SVG drawing: %1</translation>
    </message>
    <message>
        <source>no &lt;svg&gt; element.</source>
        <translation>no &lt;svg&gt; element.</translation>
    </message>
    <message>
        <source>Qt&apos;s SVG module cannot read this drawing.</source>
        <translation>Qt&apos;s SVG module cannot read this drawing.</translation>
    </message>
</context>
<context>
    <name>KvSimDevice</name>
    <message>
        <source>malformed frame ignored: %1</source>
        <translation>malformed frame ignored: %1</translation>
    </message>
    <message>
        <source>no such command in family %1: %2</source>
        <translation>no such command in family %1: %2</translation>
    </message>
    <message>
        <source>CCMD without a command code ignored: %1</source>
        <translation>CCMD without a command code ignored: %1</translation>
    </message>
    <message>
        <source>unknown CCMD code %1</source>
        <translation>unknown CCMD code %1</translation>
    </message>
    <message>
        <source>unknown CMD request: %1</source>
        <translation>unknown CMD request: %1</translation>
    </message>
    <message>
        <source>busy cutting %1: plot of %2 bytes ignored</source>
        <translation>busy cutting %1: plot of %2 bytes ignored</translation>
    </message>
</context>
<context>
    <name>KvSimPty</name>
    <message>
        <source>pty %1: the client reads nothing; %2 bytes dropped</source>
        <translation>pty %1: the client reads nothing; %2 bytes dropped</translation>
    </message>
</context>
<context>
    <name>KvSimSession</name>
    <message>
        <source>%1 bytes without a frame end are more than the plotter holds now; dropped</source>
        <translation>%1 bytes without a frame end are more than the plotter holds now; dropped</translation>
    </message>
</context>
<context>
    <name>KvSimulator</name>
    <message>
        <source>%1 takes none of its answers; dropped</source>
        <translation>%1 takes none of its answers; dropped</translation>
    </message>
    <message>
        <source>no new pseudo-terminal: %1</source>
        <translation>no new pseudo-terminal: %1</translation>
    </message>
</context>
<context>
    <name>LinkProbe</name>
    <message>
        <source>the host %1 was not found</source>
        <translation>the host %1 was not found</translation>
    </message>
    <message>
        <source>%1 refused the connection: nothing listens on port %2</source>
        <translation>%1 refused the connection: nothing listens on port %2</translation>
    </message>
</context>
<context>
    <name>MessageLog</name>
    <message>
        <source>(task record changed)</source>
        <translation>(task record changed)</translation>
    </message>
    <message>
        <source>panel</source>
        <translation>panel</translation>
    </message>
</context>
<context>
    <name>PanelWindow</name>
    <message>
        <source>Disconnected</source>
        <translation>Disconnected</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>Idle</translation>
    </message>
    <message>
        <source>Working</source>
        <translation>Working</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Machine</source>
        <translation>Machine</translation>
    </message>
    <message>
        <source>Job</source>
        <translation>Job</translation>
    </message>
    <message>
        <source>%1 has no record on this device; not shown</source>
        <translation>%1 has no record on this device; not shown</translation>
    </message>
    <message>
        <source>the device would not start connecting (link state %1)</source>
        <translation>the device would not start connecting (link state %1)</translation>
    </message>
    <message>
        <source>connecting to %1</source>
        <translation>connecting to %1</translation>
    </message>
    <message>
        <source>stopping the job before closing</source>
        <translation>stopping the job before closing</translation>
    </message>
    <message>
        <source>cannot start the simulator: %1</source>
        <translation>cannot start the simulator: %1</translation>
    </message>
    <message>
        <source>simulator listening on %1:%2</source>
        <translation>simulator listening on %1:%2</translation>
    </message>
</context>
<context>
    <name>PlotCommands</name>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>cut length %1 mm, travel %2 mm</source>
        <translation>cut length %1 mm, travel %2 mm</translation>
    </message>
    <message>
        <source>size %1 x %2 mm, from (%3, %4) to (%5, %6) mm</source>
        <translation>size %1 x %2 mm, from (%3, %4) to (%5, %6) mm</translation>
    </message>
    <message>
        <source>labels: %1, left out (--labels skip)</source>
        <translation>labels: %1, left out (--labels skip)</translation>
    </message>
    <message>
        <source>labels: %1, cut as the outline of their text</source>
        <translation>labels: %1, cut as the outline of their text</translation>
    </message>
    <message>
        <source>pens: none</source>
        <translation>pens: none</translation>
    </message>
    <message>
        <source>pens: %1</source>
        <translation>pens: %1</translation>
    </message>
    <message>
        <source>instructions skipped: %1</source>
        <translation>instructions skipped: %1</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>warning: %1</translation>
    </message>
    <message>
        <source>cut time: not known; give --speed, or a device to read its SPEED from</source>
        <translation>cut time: not known; give --speed, or a device to read its SPEED from</translation>
    </message>
    <message>
        <source>cut time: %1 at %2 mm/s (--speed)</source>
        <translation>cut time: %1 at %2 mm/s (--speed)</translation>
    </message>
    <message>
        <source>cut time: %1 at %2 mm/s (the device&apos;s SPEED)</source>
        <translation>cut time: %1 at %2 mm/s (the device&apos;s SPEED)</translation>
    </message>
    <message>
        <source>connection lost while reading SPEED: %1</source>
        <translation>connection lost while reading SPEED: %1</translation>
    </message>
    <message>
        <source>no answer for SPEED within %1 s</source>
        <translation>no answer for SPEED within %1 s</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>wrote %1: the device plot of %2, %3 bytes</source>
        <translation>wrote %1: the device plot of %2, %3 bytes</translation>
    </message>
    <message>
        <source>wrote %1: a picture of %2, %3 x %4 px</source>
        <translation>wrote %1: a picture of %2, %3 x %4 px</translation>
    </message>
</context>
<context>
    <name>PlotFacts</name>
    <message>
        <source>Size</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Cut length</source>
        <translation>Cut length</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>Labels</translation>
    </message>
    <message>
        <source>Time a copy</source>
        <translation>Time a copy</translation>
    </message>
    <message>
        <source>Sheet</source>
        <translation>Sheet</translation>
    </message>
    <message>
        <source>Warnings</source>
        <translation>Warnings</translation>
    </message>
    <message>
        <source>%1 x %2 mm</source>
        <translation>%1 x %2 mm</translation>
    </message>
    <message>
        <source>%1 m (travel %2 m)</source>
        <translation>%1 m (travel %2 m)</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>%1, cut as the outline of their text</source>
        <translation>%1, cut as the outline of their text</translation>
    </message>
    <message>
        <source>not known until SPEED is read from the device</source>
        <translation>not known until SPEED is read from the device</translation>
    </message>
    <message>
        <source>%1:%2 at %3 mm/s</source>
        <translation>%1:%2 at %3 mm/s</translation>
    </message>
</context>
<context>
    <name>PlotFile</name>
    <message>
        <source>%1 cannot be sent as it is (--raw): %2 Without --raw, the plot drawn from it is sent.</source>
        <translation>%1 cannot be sent as it is (--raw): %2 Without --raw, the plot drawn from it is sent.</translation>
    </message>
</context>
<context>
    <name>PlotPicture</name>
    <message>
        <source>Open a plot file to see it here.</source>
        <translation>Open a plot file to see it here.</translation>
    </message>
    <message>
        <source>origin</source>
        <translation>origin</translation>
    </message>
    <message>
        <source>%1 x %2 mm</source>
        <translation>%1 x %2 mm</translation>
    </message>
</context>
<context>
    <name>PluginHost</name>
    <message>
        <source>plug-in not found; looked in: %1 (set KV_PLUGIN_PATH or --plugin)</source>
        <translation>plug-in not found; looked in: %1 (set KV_PLUGIN_PATH or --plugin)</translation>
    </message>
    <message>
        <source>plug-in not found: %1</source>
        <translation>plug-in not found: %1</translation>
    </message>
    <message>
        <source>cannot load plug-in %1: %2</source>
        <translation>cannot load plug-in %1: %2</translation>
    </message>
    <message>
        <source>%1 is a Qt plug-in but not a device plug-in (%2)</source>
        <translation>%1 is a Qt plug-in but not a device plug-in (%2)</translation>
    </message>
</context>
<context>
    <name>PortAccess</name>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 does not exist.</translation>
    </message>
    <message>
        <source>%1 cannot be examined: %2.</source>
        <translation>%1 cannot be examined: %2.</translation>
    </message>
    <message>
        <source>User %1 may not open %2: it belongs to user %3 and group %4 with mode %5 (%6), and user %1 is in the groups %7.</source>
        <translation>User %1 may not open %2: it belongs to user %3 and group %4 with mode %5 (%6), and user %1 is in the groups %7.</translation>
    </message>
    <message>
        <source>Join the group %1 with &quot;sudo usermod -aG %1 %2&quot;, then log out and in again: a new login is needed before the group counts.</source>
        <translation>Join the group %1 with &quot;sudo usermod -aG %1 %2&quot;, then log out and in again: a new login is needed before the group counts.</translation>
    </message>
    <message>
        <source>Is the plotter plugged in and switched on? USB serial adapters appear as /dev/ttyUSB*, CDC-ACM devices as /dev/ttyACM*, printer-class devices as /dev/usb/lp*; &quot;kvhost ports&quot; lists those present.</source>
        <translation>Is the plotter plugged in and switched on? USB serial adapters appear as /dev/ttyUSB*, CDC-ACM devices as /dev/ttyACM*, printer-class devices as /dev/usb/lp*; &quot;kvhost ports&quot; lists those present.</translation>
    </message>
    <message>
        <source>User %1 is in the group %2 now, but this login began before that: log out and in again, or run &quot;newgrp %2&quot; in this shell.</source>
        <translation>User %1 is in the group %2 now, but this login began before that: log out and in again, or run &quot;newgrp %2&quot; in this shell.</translation>
    </message>
    <message>
        <source>Its mode does not stand in the way, yet the system refuses (%1): look at its access control list (getfacl %2) and at security modules such as AppArmor or SELinux.</source>
        <translation>Its mode does not stand in the way, yet the system refuses (%1): look at its access control list (getfacl %2) and at security modules such as AppArmor or SELinux.</translation>
    </message>
    <message>
        <source>Only root may open it. A udev rule gives it to the group %1 whenever it appears; put this line into /etc/udev/rules.d/70-kvrv520maxcam.rules:
    %2
then run &quot;sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger&quot; and plug the plotter in again.</source>
        <translation>Only root may open it. A udev rule gives it to the group %1 whenever it appears; put this line into /etc/udev/rules.d/70-kvrv520maxcam.rules:
    %2
then run &quot;sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger&quot; and plug the plotter in again.</translation>
    </message>
</context>
<context>
    <name>PortProbe</name>
    <message>
        <source>no answer to the request for %1 within %2 s: not this plotter, or not switched on?</source>
        <translation>no answer to the request for %1 within %2 s: not this plotter, or not switched on?</translation>
    </message>
</context>
<context>
    <name>PortsCommand</name>
    <message>
        <source>serial port</source>
        <translation>serial port</translation>
    </message>
    <message>
        <source>USB printer-class device</source>
        <translation>USB printer-class device</translation>
    </message>
    <message>
        <source>device file</source>
        <translation>device file</translation>
    </message>
    <message>
        <source>No serial port and no USB printer-class device found. Is the plotter plugged in and switched on?</source>
        <translation>No serial port and no USB printer-class device found. Is the plotter plugged in and switched on?</translation>
    </message>
    <message>
        <source>Kind: %1</source>
        <translation>Kind: %1</translation>
    </message>
    <message>
        <source>Description: %1</source>
        <translation>Description: %1</translation>
    </message>
    <message>
        <source>Maker: %1</source>
        <translation>Maker: %1</translation>
    </message>
    <message>
        <source>USB vendor and product: %1</source>
        <translation>USB vendor and product: %1</translation>
    </message>
    <message>
        <source>Serial number: %1</source>
        <translation>Serial number: %1</translation>
    </message>
    <message>
        <source>Access: this user may open it.</source>
        <translation>Access: this user may open it.</translation>
    </message>
    <message>
        <source>Problem: %1</source>
        <translation>Problem: %1</translation>
    </message>
    <message>
        <source>Remedy: %1</source>
        <translation>Remedy: %1</translation>
    </message>
    <message>
        <source>Probe: %1</source>
        <translation>Probe: %1</translation>
    </message>
    <message>
        <source>Machine information:</source>
        <translation>Machine information:</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Usage: %1</source>
        <translation>Usage: %1</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[options]</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>Arguments:</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Displays help on commandline options.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Displays help including Qt specific options.</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>Unknown option &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>Unknown options: %1.</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>Missing value after &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>Unexpected value after &apos;%1&apos;.</translation>
    </message>
</context>
<context>
    <name>RecordAccess</name>
    <message>
        <source>it carries a plot, which the plotter answers with the progress of a job (use the cut command)</source>
        <translation>it carries a plot, which the plotter answers with the progress of a job (use the cut command)</translation>
    </message>
    <message>
        <source>the device&apos;s answer to it carries no code to match it by</source>
        <translation>the device&apos;s answer to it carries no code to match it by</translation>
    </message>
    <message>
        <source>its answer (code %1) is taken as a task notice of the plotter</source>
        <translation>its answer (code %1) is taken as a task notice of the plotter</translation>
    </message>
    <message>
        <source>its answer (code 27) comes as a job-state notice (PAUSE, RESUME or STOP)</source>
        <translation>its answer (code 27) comes as a job-state notice (PAUSE, RESUME or STOP)</translation>
    </message>
    <message>
        <source>its answer (code 66) is taken as a progress report</source>
        <translation>its answer (code 66) is taken as a progress report</translation>
    </message>
    <message>
        <source>its answer (code %1) comes as a QR-code message</source>
        <translation>its answer (code %1) comes as a QR-code message</translation>
    </message>
    <message>
        <source>answers with code %1 are never matched to a record</source>
        <translation>answers with code %1 are never matched to a record</translation>
    </message>
    <message>
        <source>its answer (code %1) goes to %2, which shares the code and comes first</source>
        <translation>its answer (code %1) goes to %2, which shares the code and comes first</translation>
    </message>
    <message>
        <source>it has no read command</source>
        <translation>it has no read command</translation>
    </message>
    <message>
        <source>it has no write command</source>
        <translation>it has no write command</translation>
    </message>
    <message>
        <source>it is written with %1, which takes all its values at once</source>
        <translation>it is written with %1, which takes all its values at once</translation>
    </message>
    <message>
        <source>its members are written each on its own: %1</source>
        <translation>its members are written each on its own: %1</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>host</source>
        <translation>host</translation>
    </message>
    <message>
        <source>members</source>
        <translation>members</translation>
    </message>
    <message>
        <source>group</source>
        <translation>group</translation>
    </message>
    <message>
        <source>notice</source>
        <translation>notice</translation>
    </message>
    <message>
        <source>unmatched</source>
        <translation>unmatched</translation>
    </message>
    <message>
        <source>READ, WRITE: yes: the device answers the record; host: a value of the host; members, group:
through the group&apos;s members or through the group; notice: confirmed by a job-state notice;
unmatched: the device&apos;s answer cannot be matched to the record (kvhost get or set says why).</source>
        <translation>READ, WRITE: yes: the device answers the record; host: a value of the host; members, group:
through the group&apos;s members or through the group; notice: confirmed by a job-state notice;
unmatched: the device&apos;s answer cannot be matched to the record (kvhost get or set says why).</translation>
    </message>
</context>
<context>
    <name>RecordIO</name>
    <message>
        <source>&apos;%1&apos; is not a number</source>
        <translation>&apos;%1&apos; is not a number</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a whole number of 0 or more</source>
        <translation>&apos;%1&apos; is not a whole number of 0 or more</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a whole number</source>
        <translation>&apos;%1&apos; is not a whole number</translation>
    </message>
    <message numerus="yes">
        <source>give %n values separated by commas (%1)</source>
        <translation>
            <numerusform>give %n value separated by commas (%1)</numerusform>
            <numerusform>give %n values separated by commas (%1)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RecordTable</name>
    <message numerus="yes">
        <source>%n bytes</source>
        <translation>
            <numerusform>%n byte</numerusform>
            <numerusform>%n bytes</numerusform>
        </translation>
    </message>
    <message>
        <source>status</source>
        <translation>status</translation>
    </message>
    <message>
        <source>task</source>
        <translation>task</translation>
    </message>
    <message>
        <source>QR code</source>
        <translation>QR code</translation>
    </message>
    <message>
        <source>KEY</source>
        <translation>KEY</translation>
    </message>
    <message>
        <source>LABEL</source>
        <translation>LABEL</translation>
    </message>
    <message>
        <source>UNIT</source>
        <translation>UNIT</translation>
    </message>
    <message>
        <source>VALUE</source>
        <translation>VALUE</translation>
    </message>
    <message>
        <source>GET</source>
        <translation>GET</translation>
    </message>
    <message>
        <source>SET</source>
        <translation>SET</translation>
    </message>
    <message>
        <source>LEN</source>
        <translation>LEN</translation>
    </message>
    <message>
        <source>TYPE</source>
        <translation>TYPE</translation>
    </message>
    <message>
        <source>READ</source>
        <translation>READ</translation>
    </message>
    <message>
        <source>WRITE</source>
        <translation>WRITE</translation>
    </message>
    <message numerus="yes">
        <source>%n records</source>
        <translation>
            <numerusform>%n record</numerusform>
            <numerusform>%n records</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SettingsPage</name>
    <message>
        <source>%1 read: %2</source>
        <translation>%1 read: %2</translation>
    </message>
    <message>
        <source>%1: no answer to the read within %2 s</source>
        <translation>%1: no answer to the read within %2 s</translation>
    </message>
    <message>
        <source>%1: the device refused the read (result %2)</source>
        <translation>%1: the device refused the read (result %2)</translation>
    </message>
    <message>
        <source>%1 write: %2</source>
        <translation>%1 write: %2</translation>
    </message>
    <message>
        <source>%1: no answer to the write within %2 s</source>
        <translation>%1: no answer to the write within %2 s</translation>
    </message>
    <message>
        <source>%1: the device refused the write (result %2)</source>
        <translation>%1: the device refused the write (result %2)</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 cannot be read: %2</translation>
    </message>
    <message>
        <source>nothing was edited, nothing written</source>
        <translation>nothing was edited, nothing written</translation>
    </message>
</context>
<context>
    <name>ToolLanguage</name>
    <message>
        <source>--lang takes one of the languages the labels come in: %1; not &apos;%2&apos;.</source>
        <translation>--lang takes one of the languages the labels come in: %1; not &apos;%2&apos;.</translation>
    </message>
</context>
<context>
    <name>ToolOptions</name>
    <message>
        <source>--family takes 583 or 261, not &apos;%1&apos;.</source>
        <translation>--family takes 583 or 261, not &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>--time-scale takes a factor from 0 to %1 (1 is real time), not &apos;%2&apos;.</source>
        <translation>--time-scale takes a factor from 0 to %1 (1 is real time), not &apos;%2&apos;.</translation>
    </message>
</context>
<context>
    <name>ValueCheck</name>
    <message>
        <source>the value must be from %1 to %2%3, not %4</source>
        <translation>the value must be from %1 to %2%3, not %4</translation>
    </message>
    <message>
        <source>the value cannot hold &apos;%1&apos;: it ends or splits the fields of a frame</source>
        <translation>the value cannot hold &apos;%1&apos;: it ends or splits the fields of a frame</translation>
    </message>
    <message>
        <source>the value is too long: its frame takes %1 bytes, and the device&apos;s answer must stay under %2</source>
        <translation>the value is too long: its frame takes %1 bytes, and the device&apos;s answer must stay under %2</translation>
    </message>
</context>
<context>
    <name>kvcloud</name>
    <message>
        <source>--%1 takes a whole number from 0 to %2</source>
        <translation>--%1 takes a whole number from 0 to %2</translation>
    </message>
    <message>
        <source>A local cloud service for the plotter plug-in: device registry, work records and device channels, with switches for failures. GET /_records shows what it received.</source>
        <translation>A local cloud service for the plotter plug-in: device registry, work records and device channels, with switches for failures. GET /_records shows what it received.</translation>
    </message>
    <message>
        <source>HTTP port on 127.0.0.1 (default 0: a free one, printed).</source>
        <translation>HTTP port on 127.0.0.1 (default 0: a free one, printed).</translation>
    </message>
    <message>
        <source>WebSocket port on 127.0.0.1 (default 0: a free one, printed).</source>
        <translation>WebSocket port on 127.0.0.1 (default 0: a free one, printed).</translation>
    </message>
    <message>
        <source>Answer every request with this HTTP status (for example 500).</source>
        <translation>Answer every request with this HTTP status (for example 500).</translation>
    </message>
    <message>
        <source>Answer every request this many ms later.</source>
        <translation>Answer every request this many ms later.</translation>
    </message>
    <message>
        <source>Answer no request at all: the clients wait until they give up.</source>
        <translation>Answer no request at all: the clients wait until they give up.</translation>
    </message>
    <message>
        <source>Close a connection that sends nothing for this many seconds while no answer is due to it (default 120; 0 never).</source>
        <translation>Close a connection that sends nothing for this many seconds while no answer is due to it (default 120; 0 never).</translation>
    </message>
    <message>
        <source>Language of the texts: en_US, ja_JP or zh_CN.</source>
        <translation>Language of the texts: en_US, ja_JP or zh_CN.</translation>
    </message>
    <message>
        <source>Log every request, answer and channel message.</source>
        <translation>Log every request, answer and channel message.</translation>
    </message>
    <message>
        <source>--fail takes an HTTP status from 100 to 599</source>
        <translation>--fail takes an HTTP status from 100 to 599</translation>
    </message>
    <message>
        <source>cannot listen: %1</source>
        <translation>cannot listen: %1</translation>
    </message>
</context>
<context>
    <name>kvhost</name>
    <message>
        <source>the plug-in made no device object for family %1</source>
        <translation>the plug-in made no device object for family %1</translation>
    </message>
    <message>
        <source>cannot start the simulator: %1</source>
        <translation>cannot start the simulator: %1</translation>
    </message>
    <message>
        <source>connected: %1 (simulator)</source>
        <translation>connected: %1 (simulator)</translation>
    </message>
    <message>
        <source>connected: %1</source>
        <translation>connected: %1</translation>
    </message>
</context>
<context>
    <name>kvpanel</name>
    <message>
        <source>Settings panel for the KV-RV520MAXCam plug-in. Its texts and the labels follow the system language (LC_ALL=ja_JP.UTF-8 for Japanese) or --lang.</source>
        <translation>Settings panel for the KV-RV520MAXCam plug-in. Its texts and the labels follow the system language (LC_ALL=ja_JP.UTF-8 for Japanese) or --lang.</translation>
    </message>
    <message>
        <source>The plug-in library to load.</source>
        <translation>The plug-in library to load.</translation>
    </message>
    <message>
        <source>Start the simulator in this process and connect to it.</source>
        <translation>Start the simulator in this process and connect to it.</translation>
    </message>
    <message>
        <source>Simulator cutting time factor (1 = real time).</source>
        <translation>Simulator cutting time factor (1 = real time).</translation>
    </message>
    <message>
        <source>Command dialect: 583 (the model, default) or 261.</source>
        <translation>Command dialect: 583 (the model, default) or 261.</translation>
    </message>
    <message>
        <source>Language of the texts and labels: en_US, ja_JP or zh_CN.</source>
        <translation>Language of the texts and labels: en_US, ja_JP or zh_CN.</translation>
    </message>
    <message>
        <source>the plug-in made no device object</source>
        <translation>the plug-in made no device object</translation>
    </message>
</context>
<context>
    <name>kvsim</name>
    <message>
        <source>--%1 takes a whole number from %2 to %3</source>
        <translation>--%1 takes a whole number from %2 to %3</translation>
    </message>
    <message>
        <source>Simulates the camera cutting plotter: its parameters, replies, jobs and line faults.</source>
        <translation>Simulates the camera cutting plotter: its parameters, replies, jobs and line faults.</translation>
    </message>
    <message>
        <source>TCP port on 127.0.0.1 (default 9100; 0 picks a free one and prints it).</source>
        <translation>TCP port on 127.0.0.1 (default 9100; 0 picks a free one and prints it).</translation>
    </message>
    <message>
        <source>Also serve a pseudo-terminal (its path is printed) as the USB line.</source>
        <translation>Also serve a pseudo-terminal (its path is printed) as the USB line.</translation>
    </message>
    <message>
        <source>Firmware dialect: 583 (default) or 261.</source>
        <translation>Firmware dialect: 583 (default) or 261.</translation>
    </message>
    <message>
        <source>Cutting time factor: 1 is real time, 0 cuts at once (default 1).</source>
        <translation>Cutting time factor: 1 is real time, 0 cuts at once (default 1).</translation>
    </message>
    <message>
        <source>Text the QR-code read answers with.</source>
        <translation>Text the QR-code read answers with.</translation>
    </message>
    <message>
        <source>Close a TCP connection that sends nothing for this many seconds, unless the plotter is cutting (default 600; 0 never).</source>
        <translation>Close a TCP connection that sends nothing for this many seconds, unless the plotter is cutting (default 600; 0 never).</translation>
    </message>
    <message>
        <source>Fault: send every frame in pieces of N bytes.</source>
        <translation>Fault: send every frame in pieces of N bytes.</translation>
    </message>
    <message>
        <source>Pause between pieces in ms (default 2).</source>
        <translation>Pause between pieces in ms (default 2).</translation>
    </message>
    <message>
        <source>Fault: N noise bytes in front of every frame.</source>
        <translation>Fault: N noise bytes in front of every frame.</translation>
    </message>
    <message>
        <source>Fault: leave every Nth reply unsent.</source>
        <translation>Fault: leave every Nth reply unsent.</translation>
    </message>
    <message>
        <source>Fault: send nothing after N frames on a connection.</source>
        <translation>Fault: send nothing after N frames on a connection.</translation>
    </message>
    <message>
        <source>Fault: drop the connections when a job&apos;s first copy is half cut.</source>
        <translation>Fault: drop the connections when a job&apos;s first copy is half cut.</translation>
    </message>
    <message>
        <source>Language of the texts: en_US, ja_JP or zh_CN.</source>
        <translation>Language of the texts: en_US, ja_JP or zh_CN.</translation>
    </message>
    <message>
        <source>Log every frame received and sent.</source>
        <translation>Log every frame received and sent.</translation>
    </message>
    <message>
        <source>--family is 583 or 261</source>
        <translation>--family is 583 or 261</translation>
    </message>
    <message>
        <source>--time-scale takes a number of 0 or more</source>
        <translation>--time-scale takes a number of 0 or more</translation>
    </message>
    <message>
        <source>cannot listen on 127.0.0.1:%1: %2</source>
        <translation>cannot listen on 127.0.0.1:%1: %2</translation>
    </message>
    <message>
        <source>no pseudo-terminal: %1</source>
        <translation>no pseudo-terminal: %1</translation>
    </message>
</context>
</TS>
