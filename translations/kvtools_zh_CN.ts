<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en_US">
<context>
    <name>ConnectionBar</name>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Simulator</source>
        <translation>模拟器</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>连接方式</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>USB device, e.g. /dev/ttyACM0</source>
        <translation>USB 设备，例如 /dev/ttyACM0</translation>
    </message>
    <message>
        <source>IP address or host name</source>
        <translation>IP 地址或主机名</translation>
    </message>
</context>
<context>
    <name>CutJob</name>
    <message>
        <source>plotter busy: it is working on another job; nothing of this job was sent (a job left over is stopped with &apos;kvhost set TASK_STOP 2&apos;)</source>
        <translation>切割机忙：它正在执行另一个任务，本任务未发送任何内容（遗留的任务可用 &apos;kvhost set TASK_STOP 2&apos; 停止）</translation>
    </message>
    <message>
        <source>no answer to the job-state read within %1 s</source>
        <translation>%1 秒内未收到任务状态查询的应答</translation>
    </message>
    <message>
        <source>connection lost: %1</source>
        <translation>连接已断开：%1</translation>
    </message>
    <message>
        <source>the device refused %1 = %2 (result %3)</source>
        <translation>设备拒绝了 %1 = %2（结果 %3）</translation>
    </message>
    <message>
        <source>no answer to %1</source>
        <translation>%1 没有应答</translation>
    </message>
    <message numerus="yes">
        <source>cutting %1, %n copies (QR-code job)</source>
        <translation>
            <numerusform>正在切割 %1，共 %n 份（二维码任务）</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>cutting %1, %n copies</source>
        <translation>
            <numerusform>正在切割 %1，共 %n 份</numerusform>
        </translation>
    </message>
    <message>
        <source>no progress from the plotter, and no answer to a status read within %1 s</source>
        <translation>切割机没有进度报告，%1 秒内也未应答状态查询</translation>
    </message>
    <message>
        <source>plotter busy: it is cutting another job (%1) and did not take this one</source>
        <translation>切割机忙：它正在切割另一个任务（%1），未接受本任务</translation>
    </message>
    <message>
        <source>connection lost during the job: %1</source>
        <translation>任务进行中连接断开：%1</translation>
    </message>
    <message>
        <source>the job was stopped on the device</source>
        <translation>任务已在设备上停止</translation>
    </message>
    <message>
        <source>the job could not be stopped on the plotter: %1</source>
        <translation>无法在切割机上停止任务：%1</translation>
    </message>
    <message>
        <source>stopping the job...</source>
        <translation>正在停止任务…</translation>
    </message>
    <message>
        <source>the device stopped</source>
        <translation>设备已停止</translation>
    </message>
    <message>
        <source>the device was told to stop the job and did not confirm it</source>
        <translation>已通知设备停止任务，但设备没有确认</translation>
    </message>
    <message>
        <source>%1%  copy %2/%3  elapsed %4  remaining %5</source>
        <translation>%1%  第 %2/%3 份  已用 %4  剩余 %5</translation>
    </message>
    <message numerus="yes">
        <source>done: %1 of %n copies in %2 s, cut length %3 m, travel %4 m</source>
        <translation>
            <numerusform>完成：%1/%n 份，用时 %2 秒，切割长度 %3 m，总行程 %4 m</numerusform>
        </translation>
    </message>
    <message>
        <source>, labels left out (--labels skip): %1</source>
        <translation>，略过的文字（--labels skip）：%1</translation>
    </message>
    <message>
        <source>, labels cut as the outline of their text: %1</source>
        <translation>，按字形轮廓切割的文字：%1</translation>
    </message>
    <message>
        <source>, QR code %1</source>
        <translation>，二维码 %1</translation>
    </message>
</context>
<context>
    <name>DeviceLink</name>
    <message>
        <source>no answer from %1 within %2 s</source>
        <translation>%1 在 %2 秒内没有应答</translation>
    </message>
    <message>
        <source>the device would not start connecting to %1</source>
        <translation>设备未能开始连接 %1</translation>
    </message>
    <message>
        <source>cannot reach %1: %2</source>
        <translation>无法连接 %1：%2</translation>
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
        <translation>退出码：0 完成，2 用法错误或参数不接受该值，3 找不到或无法加载插件，
4 无法连接设备，5 连接断开，6 写入被拒绝，7 绘图文件缺失或无法读取，
8 未知的键，9 未在时限内应答，10 切割机正忙于另一个任务，11 云服务失败，
12 无权打开 USB 设备文件，13 参数无法以该方式读写，130 被中断。</translation>
    </message>
</context>
<context>
    <name>HostCloud</name>
    <message>
        <source>the device tells no machine number (DEVICE_ID) to register with</source>
        <translation>设备没有提供用于注册的机器编号（DEVICE_ID）</translation>
    </message>
    <message>
        <source>the channel of the cloud service at %1 could not be opened</source>
        <translation>无法打开 %1 处云服务的通道</translation>
    </message>
    <message>
        <source>the cloud service at %1 did not answer %2 within %3 s</source>
        <translation>%1 处的云服务在 %3 秒内未应答 %2</translation>
    </message>
    <message>
        <source>the cloud service did not register %1 and open its channel within %2 s</source>
        <translation>云服务未在 %2 秒内注册 %1 并打开其通道</translation>
    </message>
    <message>
        <source>not all the device sent reached the cloud: %1</source>
        <translation>设备发送的内容未全部到达云端：%1</translation>
    </message>
    <message>
        <source>not all the device sent reached the cloud: the service at %1 did not answer %2 within %3 s</source>
        <translation>设备发送的内容未全部到达云端：%1 处的服务在 %3 秒内未应答 %2</translation>
    </message>
    <message>
        <source>cloud: no preview of the plot reached the service</source>
        <translation>云端：服务没有收到绘图预览</translation>
    </message>
    <message>
        <source>cloud: the preview the service received (%1 bytes) is not a PNG picture</source>
        <translation>云端：服务收到的预览（%1 字节）不是 PNG 图片</translation>
    </message>
    <message>
        <source>cloud: latest preview of %1: PNG of %2 x %3 px, %4 bytes (kvcloud serves it as /_preview/%1)</source>
        <translation>云端：%1 的最新预览：PNG，%2 x %3 px，%4 字节（kvcloud 以 /_preview/%1 提供）</translation>
    </message>
    <message>
        <source>the cloud service at %1 answered %2 with HTTP %3</source>
        <translation>%1 处的云服务对 %2 返回了 HTTP %3</translation>
    </message>
    <message>
        <source>the cloud service at %1 could not be reached for %2: %3</source>
        <translation>无法连接 %1 处的云服务以完成 %2：%3</translation>
    </message>
</context>
<context>
    <name>HostCommands</name>
    <message>
        <source>no record &apos;%1&apos; on this device (see &apos;kvhost list&apos;)</source>
        <translation>此设备没有参数 &apos;%1&apos;（参见 &apos;kvhost list&apos;）</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>the machine information is incomplete; nothing is printed</source>
        <translation>机器信息不完整，不予显示</translation>
    </message>
    <message>
        <source>%1 does not apply: the plotter is cutting a job</source>
        <translation>%1 不适用：切割机正在切割任务</translation>
    </message>
    <message>
        <source>%1 does not apply: the plotter is holding a paused job</source>
        <translation>%1 不适用：切割机上有一个已暂停的任务</translation>
    </message>
    <message>
        <source>%1 does not apply: the plotter is idle</source>
        <translation>%1 不适用：切割机空闲</translation>
    </message>
    <message>
        <source>the device refused %1 = %2 (result %3); it takes values from %4 to %5%6</source>
        <translation>设备拒绝了 %1 = %2（结果 %3）；它接受 %4 到 %5%6 的值</translation>
    </message>
    <message>
        <source>the device refused %1 = %2 (result %3)</source>
        <translation>设备拒绝了 %1 = %2（结果 %3）</translation>
    </message>
    <message>
        <source>connection lost: %1</source>
        <translation>连接已断开：%1</translation>
    </message>
    <message>
        <source>%1 has no command to read or write it with</source>
        <translation>%1 没有可用于读写的命令</translation>
    </message>
    <message>
        <source>no answer for %1 within %2 s</source>
        <translation>%2 秒内未收到 %1 的应答</translation>
    </message>
</context>
<context>
    <name>HostOptions</name>
    <message>
        <source>the device&apos;s records (no connection needed)</source>
        <translation>设备的参数列表（无需连接）</translation>
    </message>
    <message>
        <source>read and print the machine information</source>
        <translation>读取并显示机器信息</translation>
    </message>
    <message>
        <source>read records from the device</source>
        <translation>从设备读取参数</translation>
    </message>
    <message>
        <source>write a record and print the device&apos;s answer</source>
        <translation>写入参数并显示设备的应答</translation>
    </message>
    <message>
        <source>cut a plot file (--copies N, --qr for a QR-code job, --raw)</source>
        <translation>切割绘图文件（份数 --copies N，二维码任务 --qr，
原样发送 --raw）</translation>
    </message>
    <message>
        <source>a plot file&apos;s figures and the time its cut takes (no plotter needed)</source>
        <translation>绘图文件的各项数据及切割所需时间（无需切割机）</translation>
    </message>
    <message>
        <source>write the plot the device is sent</source>
        <translation>写出发送给设备的绘图数据</translation>
    </message>
    <message>
        <source>draw the plot into a picture (--size N)</source>
        <translation>将绘图画成图片（--size N）</translation>
    </message>
    <message>
        <source>move the head by X and Y steps</source>
        <translation>将刀头移动 X 步和 Y 步</translation>
    </message>
    <message>
        <source>print every message of the device until Ctrl-C</source>
        <translation>显示设备的每条消息，直到按下 Ctrl-C</translation>
    </message>
    <message>
        <source>the serial ports and USB printers (or the named device files), whether
this user may open them, and why not; --probe reads each one&apos;s machine
information</source>
        <translation>串口和 USB 打印机（或指定的设备文件），当前用户
能否打开，以及不能打开的原因；--probe 读取
每个端口的机器信息</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>命令：</translation>
    </message>
    <message>
        <source>A device is reached with --tcp HOST[:PORT], --usb PATH or --simulate.</source>
        <translation>通过 --tcp HOST[:PORT]、--usb PATH 或 --simulate 连接设备。</translation>
    </message>
    <message>
        <source>Command-line host for the KV-RV520MAXCam plug-in.</source>
        <translation>KV-RV520MAXCam 插件的命令行主机程序。</translation>
    </message>
    <message>
        <source>Reach the device over TCP (port 9100 by default).</source>
        <translation>通过 TCP 连接设备（默认端口 9100）。</translation>
    </message>
    <message>
        <source>Reach the device through a USB device file.</source>
        <translation>通过 USB 设备文件连接设备。</translation>
    </message>
    <message>
        <source>Start the device simulator in this process and use it.</source>
        <translation>在本进程中启动设备模拟器并使用它。</translation>
    </message>
    <message>
        <source>With --simulate: cutting time factor (1 = real time).</source>
        <translation>配合 --simulate：切割时间倍率（1 = 实时）。</translation>
    </message>
    <message>
        <source>Register the device with the cloud service: with --simulate a local one in this process, otherwise the one at $KV_CLOUD_URL and $KV_CLOUD_WS.</source>
        <translation>将设备注册到云服务：配合 --simulate 时，
使用本进程中的本地服务；否则使用
$KV_CLOUD_URL 和 $KV_CLOUD_WS 处的服务。</translation>
    </message>
    <message>
        <source>Command dialect: 583 (the model, default) or 261.</source>
        <translation>命令方言：583（本机型，默认）或 261。</translation>
    </message>
    <message>
        <source>Copies to cut.</source>
        <translation>切割份数。</translation>
    </message>
    <message>
        <source>Cut a QR-code job.</source>
        <translation>切割二维码任务。</translation>
    </message>
    <message>
        <source>Labels of a plot: cut as the outline of their text, or left out.</source>
        <translation>绘图中的文字：按字形轮廓切割，或略过。</translation>
    </message>
    <message>
        <source>Cut: send the file&apos;s own text instead of the plot drawn from it.</source>
        <translation>切割：发送文件原文，而不是由它生成的绘图数据。</translation>
    </message>
    <message>
        <source>Inspect: the cutting speed to time the cut at, instead of the device&apos;s SPEED.</source>
        <translation>检查：用于估算切割时间的切割速度，
代替设备的 SPEED。</translation>
    </message>
    <message>
        <source>Convert, preview: the file to write.</source>
        <translation>转换、预览：要写入的文件。</translation>
    </message>
    <message>
        <source>Preview: the picture&apos;s longer side in pixels.</source>
        <translation>预览：图片长边的像素数。</translation>
    </message>
    <message>
        <source>Seconds to wait for the connection and for each answer of the device or the cloud service.</source>
        <translation>等待连接以及设备或云服务每次应答的秒数。</translation>
    </message>
    <message>
        <source>Path of the plug-in library.</source>
        <translation>插件库的路径。</translation>
    </message>
    <message>
        <source>Language of the texts and labels: en_US, ja_JP or zh_CN.</source>
        <translation>文本和标签的语言：en_US、ja_JP 或 zh_CN。</translation>
    </message>
    <message>
        <source>Print results as JSON (its texts in English).</source>
        <translation>以 JSON 输出结果（其中的文本为英文）。</translation>
    </message>
    <message>
        <source>With ports: read the machine information of each port that may be opened, waiting at most 1 s for each answer.</source>
        <translation>配合 ports：读取每个可打开端口的机器信息，
每次应答最多等待 1 秒。</translation>
    </message>
    <message>
        <source>list, info, get, set, cut, jog, watch, inspect, convert, preview or ports.</source>
        <translation>list、info、get、set、cut、jog、watch、
inspect、convert、preview 或 ports。</translation>
    </message>
    <message>
        <source>--copies takes a number from 1 to 9999</source>
        <translation>--copies 的取值为 1 到 9999 的数</translation>
    </message>
    <message>
        <source>--timeout takes seconds, more than 0 and at most 3600</source>
        <translation>--timeout 的取值为秒数，大于 0 且不超过 3600</translation>
    </message>
    <message>
        <source>give only one of --tcp, --usb and --simulate</source>
        <translation>--tcp、--usb 和 --simulate 只能指定其中之一</translation>
    </message>
    <message>
        <source>--tcp takes HOST or HOST:PORT</source>
        <translation>--tcp 的取值为 HOST 或 HOST:PORT</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>未指定命令</translation>
    </message>
    <message>
        <source>--labels takes outline or skip, not &apos;%1&apos;</source>
        <translation>--labels 的取值为 outline 或 skip，而不是 &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--speed takes mm/s, more than 0 and at most 10000</source>
        <translation>--speed 的取值为 mm/s，大于 0 且不超过 10000</translation>
    </message>
    <message>
        <source>--size takes pixels from 16 to 8192</source>
        <translation>--size 的取值为 16 到 8192 像素</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos; (see --help)</source>
        <translation>未知命令 &apos;%1&apos;（参见 --help）</translation>
    </message>
    <message>
        <source>wrong number of arguments for &apos;%1&apos; (see --help)</source>
        <translation>&apos;%1&apos; 的参数个数不正确（参见 --help）</translation>
    </message>
    <message>
        <source>--cloud needs KV_CLOUD_URL and KV_CLOUD_WS in the environment, or --simulate</source>
        <translation>--cloud 需要环境变量 KV_CLOUD_URL 和 KV_CLOUD_WS，或使用 --simulate</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs the file to write: -o PATH</source>
        <translation>&apos;%1&apos; 需要指定要写入的文件：-o PATH</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs a device: --tcp HOST[:PORT], --usb PATH or --simulate</source>
        <translation>&apos;%1&apos; 需要设备：--tcp HOST[:PORT]、--usb PATH 或 --simulate</translation>
    </message>
</context>
<context>
    <name>JobBox</name>
    <message>
        <source>Job</source>
        <translation>任务</translation>
    </message>
    <message>
        <source>no plot file</source>
        <translation>未打开绘图文件</translation>
    </message>
    <message>
        <source>Open…</source>
        <translation>打开…</translation>
    </message>
    <message>
        <source>QR-code job</source>
        <translation>二维码任务</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>继续</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Plot file</source>
        <translation>绘图文件</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>份数</translation>
    </message>
    <message>
        <source>plot file %1 opened</source>
        <translation>已打开绘图文件 %1</translation>
    </message>
    <message>
        <source>%1 x %2 mm, the plotter&apos;s work area</source>
        <translation>%1 x %2 mm，切割机的幅面</translation>
    </message>
    <message>
        <source>%1 x %2 mm from the origin, as much as the plot needs</source>
        <translation>从原点起 %1 x %2 mm，即绘图所需的范围</translation>
    </message>
    <message>
        <source>Open plot file</source>
        <translation>打开绘图文件</translation>
    </message>
    <message>
        <source>Plot files (*.plt *.hpgl *.hpg *.hp *.svg);;All files (*)</source>
        <translation>绘图文件 (*.plt *.hpgl *.hpg *.hp *.svg);;所有文件 (*)</translation>
    </message>
    <message>
        <source>job not started: no answer to %1</source>
        <translation>任务未开始：%1 没有应答</translation>
    </message>
    <message>
        <source>job not started: the device refused %1 (result %2)</source>
        <translation>任务未开始：设备拒绝了 %1（结果 %2）</translation>
    </message>
    <message numerus="yes">
        <source>job started: %1, %n copies (QR-code job)</source>
        <translation>
            <numerusform>任务已开始：%1，共 %n 份（二维码任务）</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>job started: %1, %n copies</source>
        <translation>
            <numerusform>任务已开始：%1，共 %n 份</numerusform>
        </translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>已停止</translation>
    </message>
    <message>
        <source>job stopped</source>
        <translation>任务已停止</translation>
    </message>
    <message>
        <source>this device has no %1</source>
        <translation>此设备没有 %1</translation>
    </message>
    <message>
        <source>link lost</source>
        <translation>连接断开</translation>
    </message>
    <message>
        <source>the connection dropped during the job</source>
        <translation>任务进行中连接断开</translation>
    </message>
    <message>
        <source>stopped on the device</source>
        <translation>已在设备上停止</translation>
    </message>
    <message>
        <source>the job was stopped on the device</source>
        <translation>任务已在设备上停止</translation>
    </message>
    <message>
        <source>done</source>
        <translation>完成</translation>
    </message>
    <message numerus="yes">
        <source>job done: %1 of %n copies</source>
        <translation>
            <numerusform>任务完成：%1/%n 份</numerusform>
        </translation>
    </message>
    <message>
        <source>idle</source>
        <translation>空闲</translation>
    </message>
    <message>
        <source>preparing</source>
        <translation>准备中</translation>
    </message>
    <message>
        <source>cutting</source>
        <translation>切割中</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>已暂停</translation>
    </message>
</context>
<context>
    <name>JogCommand</name>
    <message>
        <source>jog takes two whole numbers of steps</source>
        <translation>jog 需要两个整数步数</translation>
    </message>
    <message>
        <source>the longest travel kvhost sends to a plotter that does not tell its work area</source>
        <translation>这是 kvhost 对不告知幅面的切割机发送的最大移动量</translation>
    </message>
    <message>
        <source>a jog moves at most %1 steps (%2 mm) on the first axis and %3 steps (%4 mm) on the second: %5</source>
        <translation>点动在第一轴上最多移动 %1 步（%2 mm），在第二轴上最多 %3 步（%4 mm）：%5</translation>
    </message>
    <message>
        <source>the plotter&apos;s work area, %1 mm by %2 mm</source>
        <translation>这是切割机的幅面，%1 mm × %2 mm</translation>
    </message>
    <message>
        <source>connection lost: %1</source>
        <translation>连接已断开：%1</translation>
    </message>
    <message>
        <source>moved %1, %2</source>
        <translation>已移动 %1, %2</translation>
    </message>
    <message>
        <source>this device has no jog command</source>
        <translation>此设备没有点动命令</translation>
    </message>
    <message>
        <source>no answer for the jog within %1 s</source>
        <translation>%1 秒内未收到点动的应答</translation>
    </message>
    <message>
        <source>the device refused the jog</source>
        <translation>设备拒绝了点动</translation>
    </message>
</context>
<context>
    <name>JogPad</name>
    <message>
        <source>Jog</source>
        <translation>点动</translation>
    </message>
</context>
<context>
    <name>KvCloudService</name>
    <message>
        <source>a channel message is more than the service holds now; channel closed</source>
        <translation>通道消息超出了服务目前能容纳的量，通道已关闭</translation>
    </message>
    <message>
        <source>HTTP port %1: %2</source>
        <translation>HTTP 端口 %1：%2</translation>
    </message>
    <message>
        <source>WebSocket port %1: %2</source>
        <translation>WebSocket 端口 %1：%2</translation>
    </message>
    <message>
        <source>cloud: %1 is not registered</source>
        <translation>云端：%1 未注册</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message numerus="yes">
        <source>cloud: %1 registered as device %2 (model %3), %n task reports, work record %4</source>
        <translation>
            <numerusform>云端：%1 已注册为设备 %2（型号 %3），任务报告 %n 条，工作记录 %4</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>KvListener</name>
    <message>
        <source>cannot accept connections on port %1 (%2); trying again every %3 ms</source>
        <translation>端口 %1 无法接受连接（%2）；每 %3 ms 重试一次</translation>
    </message>
</context>
<context>
    <name>KvPlot</name>
    <message>
        <source>%1 (at byte %2).</source>
        <translation>%1（位于第 %2 字节）。</translation>
    </message>
    <message>
        <source>The file is empty.</source>
        <translation>文件是空的。</translation>
    </message>
    <message>
        <source>This is not a plot file: it is not text.</source>
        <translation>这不是绘图文件：它不是文本。</translation>
    </message>
    <message>
        <source>Nothing in this file can be cut: no instruction in its %1 bytes draws anything.</source>
        <translation>此文件中没有可切割的内容：它的 %1 字节中没有任何绘制指令。</translation>
    </message>
    <message>
        <source>Plot file not found: %1</source>
        <translation>找不到绘图文件：%1</translation>
    </message>
    <message>
        <source>%1 is a folder, not a plot file.</source>
        <translation>%1 是文件夹，不是绘图文件。</translation>
    </message>
    <message>
        <source>Cannot read the plot file %1: %2</source>
        <translation>无法读取绘图文件 %1：%2</translation>
    </message>
    <message>
        <source>The text is not UTF-8: its bytes would change on the way to the plotter.</source>
        <translation>文本不是 UTF-8：它的字节在发往切割机的途中会被改变。</translation>
    </message>
    <message>
        <source>The text holds the byte 0x%1, which ends the device&apos;s frames.</source>
        <translation>文本中含有字节 0x%1，它会结束设备的数据帧。</translation>
    </message>
    <message>
        <source>The text is UTF-16, which the plotter does not read.</source>
        <translation>文本是 UTF-16，切割机无法读取。</translation>
    </message>
    <message numerus="yes">
        <source>Left out %n filled shapes (RA, RR, FP, WG): a cutter does not fill.</source>
        <translation>
            <numerusform>略过了 %n 个填充图形（RA、RR、FP、WG）：切割机不做填充。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Cut %n dashed or dotted line types as solid lines.</source>
        <translation>
            <numerusform>将 %n 处虚线或点线按实线切割。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The polygon buffer was full: %n points left out.</source>
        <translation>
            <numerusform>多边形缓冲区已满：略过了 %n 个点。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Moved %n coordinates beyond the plotter&apos;s range to its edge.</source>
        <translation>
            <numerusform>将 %n 个超出切割机范围的坐标移到了边缘。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Left out %n labels, as asked.</source>
        <translation>
            <numerusform>按要求略过了 %n 处文字。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Left out %n labels: no font engine is loaded in this program.</source>
        <translation>
            <numerusform>略过了 %n 处文字：本程序没有加载字体引擎。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Read the file as UTF-16 text (%n bytes).</source>
        <translation>
            <numerusform>已按 UTF-16 文本读取文件（%n 字节）。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Ignored %n coordinates without their pair.</source>
        <translation>
            <numerusform>忽略了 %n 个不成对的坐标。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Ignored %n pictures embedded in the drawing.</source>
        <translation>
            <numerusform>忽略了图形中嵌入的 %n 张图片。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Skipped %n instructions the reader does not know: %1.</source>
        <translation>
            <numerusform>跳过了 %n 条无法识别的指令：%1。</numerusform>
        </translation>
    </message>
    <message>
        <source>Cut labels as outlines of the font %1.</source>
        <translation>文字按字体 %1 的轮廓切割。</translation>
    </message>
    <message>
        <source>This is not an SVG drawing: %1</source>
        <translation>这不是 SVG 图形：%1</translation>
    </message>
    <message>
        <source>no &lt;svg&gt; element.</source>
        <translation>没有 &lt;svg&gt; 元素。</translation>
    </message>
    <message>
        <source>Qt&apos;s SVG module cannot read this drawing.</source>
        <translation>Qt 的 SVG 模块无法读取此图形。</translation>
    </message>
</context>
<context>
    <name>KvSimDevice</name>
    <message>
        <source>malformed frame ignored: %1</source>
        <translation>已忽略格式错误的数据帧：%1</translation>
    </message>
    <message>
        <source>no such command in family %1: %2</source>
        <translation>系列 %1 中没有此命令：%2</translation>
    </message>
    <message>
        <source>CCMD without a command code ignored: %1</source>
        <translation>已忽略没有命令码的 CCMD：%1</translation>
    </message>
    <message>
        <source>unknown CCMD code %1</source>
        <translation>未知的 CCMD 命令码 %1</translation>
    </message>
    <message>
        <source>unknown CMD request: %1</source>
        <translation>未知的 CMD 请求：%1</translation>
    </message>
    <message>
        <source>busy cutting %1: plot of %2 bytes ignored</source>
        <translation>正在切割 %1：已忽略 %2 字节的绘图数据</translation>
    </message>
</context>
<context>
    <name>KvSimPty</name>
    <message>
        <source>pty %1: the client reads nothing; %2 bytes dropped</source>
        <translation>pty %1：客户端不读取任何数据；已丢弃 %2 字节</translation>
    </message>
</context>
<context>
    <name>KvSimSession</name>
    <message>
        <source>%1 bytes without a frame end are more than the plotter holds now; dropped</source>
        <translation>%1 字节没有帧结尾，超出了切割机目前能容纳的量；已丢弃</translation>
    </message>
</context>
<context>
    <name>KvSimulator</name>
    <message>
        <source>%1 takes none of its answers; dropped</source>
        <translation>%1 不接收任何应答；已断开</translation>
    </message>
    <message>
        <source>no new pseudo-terminal: %1</source>
        <translation>无法打开新的伪终端：%1</translation>
    </message>
</context>
<context>
    <name>LinkProbe</name>
    <message>
        <source>the host %1 was not found</source>
        <translation>找不到主机 %1</translation>
    </message>
    <message>
        <source>%1 refused the connection: nothing listens on port %2</source>
        <translation>%1 拒绝了连接：端口 %2 上没有服务在监听</translation>
    </message>
</context>
<context>
    <name>MessageLog</name>
    <message>
        <source>(task record changed)</source>
        <translation>（任务记录已更新）</translation>
    </message>
    <message>
        <source>panel</source>
        <translation>面板</translation>
    </message>
</context>
<context>
    <name>PanelWindow</name>
    <message>
        <source>Disconnected</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>空闲</translation>
    </message>
    <message>
        <source>Working</source>
        <translation>工作中</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>已暂停</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Machine</source>
        <translation>机器</translation>
    </message>
    <message>
        <source>Job</source>
        <translation>任务</translation>
    </message>
    <message>
        <source>%1 has no record on this device; not shown</source>
        <translation>此设备没有参数 %1，不予显示</translation>
    </message>
    <message>
        <source>the device would not start connecting (link state %1)</source>
        <translation>设备未能开始连接（连接状态 %1）</translation>
    </message>
    <message>
        <source>connecting to %1</source>
        <translation>正在连接 %1</translation>
    </message>
    <message>
        <source>stopping the job before closing</source>
        <translation>关闭前先停止任务</translation>
    </message>
    <message>
        <source>cannot start the simulator: %1</source>
        <translation>无法启动模拟器：%1</translation>
    </message>
    <message>
        <source>simulator listening on %1:%2</source>
        <translation>模拟器正在 %1:%2 上监听</translation>
    </message>
</context>
<context>
    <name>PlotCommands</name>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 分 %2 秒</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 小时 %2 分</translation>
    </message>
    <message>
        <source>cut length %1 mm, travel %2 mm</source>
        <translation>切割长度 %1 mm，总行程 %2 mm</translation>
    </message>
    <message>
        <source>size %1 x %2 mm, from (%3, %4) to (%5, %6) mm</source>
        <translation>尺寸 %1 x %2 mm，从 (%3, %4) 到 (%5, %6) mm</translation>
    </message>
    <message>
        <source>labels: %1, left out (--labels skip)</source>
        <translation>文字：%1 处，已略过（--labels skip）</translation>
    </message>
    <message>
        <source>labels: %1, cut as the outline of their text</source>
        <translation>文字：%1 处，按字形轮廓切割</translation>
    </message>
    <message>
        <source>pens: none</source>
        <translation>笔号：无</translation>
    </message>
    <message>
        <source>pens: %1</source>
        <translation>笔号：%1</translation>
    </message>
    <message>
        <source>instructions skipped: %1</source>
        <translation>跳过的指令：%1</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>警告：%1</translation>
    </message>
    <message>
        <source>cut time: not known; give --speed, or a device to read its SPEED from</source>
        <translation>切割时间：未知；请指定 --speed，或指定可读取 SPEED 的设备</translation>
    </message>
    <message>
        <source>cut time: %1 at %2 mm/s (--speed)</source>
        <translation>切割时间：%1，速度 %2 mm/s（--speed）</translation>
    </message>
    <message>
        <source>cut time: %1 at %2 mm/s (the device&apos;s SPEED)</source>
        <translation>切割时间：%1，速度 %2 mm/s（设备的 SPEED）</translation>
    </message>
    <message>
        <source>connection lost while reading SPEED: %1</source>
        <translation>读取 SPEED 时连接断开：%1</translation>
    </message>
    <message>
        <source>no answer for SPEED within %1 s</source>
        <translation>%1 秒内未收到 SPEED 的应答</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>wrote %1: the device plot of %2, %3 bytes</source>
        <translation>已写入 %1：%2 的设备绘图数据，%3 字节</translation>
    </message>
    <message>
        <source>wrote %1: a picture of %2, %3 x %4 px</source>
        <translation>已写入 %1：%2 的图片，%3 x %4 px</translation>
    </message>
</context>
<context>
    <name>PlotFacts</name>
    <message>
        <source>Size</source>
        <translation>尺寸</translation>
    </message>
    <message>
        <source>Cut length</source>
        <translation>切割长度</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>文字</translation>
    </message>
    <message>
        <source>Time a copy</source>
        <translation>每份用时</translation>
    </message>
    <message>
        <source>Sheet</source>
        <translation>纸张</translation>
    </message>
    <message>
        <source>Warnings</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>%1 x %2 mm</source>
        <translation>%1 x %2 mm</translation>
    </message>
    <message>
        <source>%1 m (travel %2 m)</source>
        <translation>%1 m（总行程 %2 m）</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>%1, cut as the outline of their text</source>
        <translation>%1 处，按字形轮廓切割</translation>
    </message>
    <message>
        <source>not known until SPEED is read from the device</source>
        <translation>从设备读取 SPEED 之前未知</translation>
    </message>
    <message>
        <source>%1:%2 at %3 mm/s</source>
        <translation>%1:%2（速度 %3 mm/s）</translation>
    </message>
</context>
<context>
    <name>PlotFile</name>
    <message>
        <source>%1 cannot be sent as it is (--raw): %2 Without --raw, the plot drawn from it is sent.</source>
        <translation>%1 无法原样发送（--raw）：%2 不加 --raw 时，将发送由它生成的绘图数据。</translation>
    </message>
</context>
<context>
    <name>PlotPicture</name>
    <message>
        <source>Open a plot file to see it here.</source>
        <translation>打开绘图文件后会在这里显示。</translation>
    </message>
    <message>
        <source>origin</source>
        <translation>原点</translation>
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
        <translation>找不到插件；已查找：%1（请设置 KV_PLUGIN_PATH 或 --plugin）</translation>
    </message>
    <message>
        <source>plug-in not found: %1</source>
        <translation>找不到插件：%1</translation>
    </message>
    <message>
        <source>cannot load plug-in %1: %2</source>
        <translation>无法加载插件 %1：%2</translation>
    </message>
    <message>
        <source>%1 is a Qt plug-in but not a device plug-in (%2)</source>
        <translation>%1 是 Qt 插件，但不是设备插件（%2）</translation>
    </message>
</context>
<context>
    <name>PortAccess</name>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 不存在。</translation>
    </message>
    <message>
        <source>%1 cannot be examined: %2.</source>
        <translation>无法检查 %1：%2。</translation>
    </message>
    <message>
        <source>User %1 may not open %2: it belongs to user %3 and group %4 with mode %5 (%6), and user %1 is in the groups %7.</source>
        <translation>用户 %1 无权打开 %2：它属于用户 %3 和组 %4，权限为 %5（%6），而用户 %1 所在的组为 %7。</translation>
    </message>
    <message>
        <source>Join the group %1 with &quot;sudo usermod -aG %1 %2&quot;, then log out and in again: a new login is needed before the group counts.</source>
        <translation>用 &quot;sudo usermod -aG %1 %2&quot; 加入组 %1，然后注销并重新登录：重新登录后组才会生效。</translation>
    </message>
    <message>
        <source>Is the plotter plugged in and switched on? USB serial adapters appear as /dev/ttyUSB*, CDC-ACM devices as /dev/ttyACM*, printer-class devices as /dev/usb/lp*; &quot;kvhost ports&quot; lists those present.</source>
        <translation>切割机是否已连接并开机？USB 串口适配器显示为 /dev/ttyUSB*，CDC-ACM 设备为 /dev/ttyACM*，打印机类设备为 /dev/usb/lp*；&quot;kvhost ports&quot; 会列出现有的设备。</translation>
    </message>
    <message>
        <source>User %1 is in the group %2 now, but this login began before that: log out and in again, or run &quot;newgrp %2&quot; in this shell.</source>
        <translation>用户 %1 现已在组 %2 中，但本次登录早于加入组的时间：请注销并重新登录，或在此 shell 中运行 &quot;newgrp %2&quot;。</translation>
    </message>
    <message>
        <source>Its mode does not stand in the way, yet the system refuses (%1): look at its access control list (getfacl %2) and at security modules such as AppArmor or SELinux.</source>
        <translation>它的权限模式并不妨碍打开，但系统仍然拒绝（%1）：请检查它的访问控制列表（getfacl %2）以及 AppArmor、SELinux 等安全模块。</translation>
    </message>
    <message>
        <source>Only root may open it. A udev rule gives it to the group %1 whenever it appears; put this line into /etc/udev/rules.d/70-kvrv520maxcam.rules:
    %2
then run &quot;sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger&quot; and plug the plotter in again.</source>
        <translation>只有 root 能打开它。udev 规则可以在设备出现时把它交给组 %1；请把下面这一行写入 /etc/udev/rules.d/70-kvrv520maxcam.rules：
    %2
然后运行 &quot;sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger&quot;，并重新插上切割机。</translation>
    </message>
</context>
<context>
    <name>PortProbe</name>
    <message>
        <source>no answer to the request for %1 within %2 s: not this plotter, or not switched on?</source>
        <translation>%2 秒内未收到 %1 请求的应答：不是这台切割机，还是没有开机？</translation>
    </message>
</context>
<context>
    <name>PortsCommand</name>
    <message>
        <source>serial port</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>USB printer-class device</source>
        <translation>USB 打印机类设备</translation>
    </message>
    <message>
        <source>device file</source>
        <translation>设备文件</translation>
    </message>
    <message>
        <source>No serial port and no USB printer-class device found. Is the plotter plugged in and switched on?</source>
        <translation>未找到串口或 USB 打印机类设备。切割机是否已连接并开机？</translation>
    </message>
    <message>
        <source>Kind: %1</source>
        <translation>类型：%1</translation>
    </message>
    <message>
        <source>Description: %1</source>
        <translation>描述：%1</translation>
    </message>
    <message>
        <source>Maker: %1</source>
        <translation>制造商：%1</translation>
    </message>
    <message>
        <source>USB vendor and product: %1</source>
        <translation>USB 厂商与产品：%1</translation>
    </message>
    <message>
        <source>Serial number: %1</source>
        <translation>序列号：%1</translation>
    </message>
    <message>
        <source>Access: this user may open it.</source>
        <translation>权限：当前用户可以打开它。</translation>
    </message>
    <message>
        <source>Problem: %1</source>
        <translation>问题：%1</translation>
    </message>
    <message>
        <source>Remedy: %1</source>
        <translation>解决办法：%1</translation>
    </message>
    <message>
        <source>Probe: %1</source>
        <translation>探测：%1</translation>
    </message>
    <message>
        <source>Machine information:</source>
        <translation>机器信息：</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Usage: %1</source>
        <translation>用法：%1</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[选项]</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>选项：</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>参数：</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>显示命令行选项的帮助。</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>显示包括 Qt 专用选项在内的帮助。</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>未知选项 &apos;%1&apos;。</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>未知选项：%1。</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>&apos;%1&apos; 后缺少值。</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>&apos;%1&apos; 后有多余的值。</translation>
    </message>
</context>
<context>
    <name>RecordAccess</name>
    <message>
        <source>it carries a plot, which the plotter answers with the progress of a job (use the cut command)</source>
        <translation>它携带绘图数据，切割机以任务进度作为应答（请使用 cut 命令）</translation>
    </message>
    <message>
        <source>the device&apos;s answer to it carries no code to match it by</source>
        <translation>设备对它的应答不带可用于匹配的代码</translation>
    </message>
    <message>
        <source>its answer (code %1) is taken as a task notice of the plotter</source>
        <translation>它的应答（代码 %1）会被当作切割机的任务通知</translation>
    </message>
    <message>
        <source>its answer (code 27) comes as a job-state notice (PAUSE, RESUME or STOP)</source>
        <translation>它的应答（代码 27）以任务状态通知（PAUSE、RESUME 或 STOP）的形式到达</translation>
    </message>
    <message>
        <source>its answer (code 66) is taken as a progress report</source>
        <translation>它的应答（代码 66）会被当作进度报告</translation>
    </message>
    <message>
        <source>its answer (code %1) comes as a QR-code message</source>
        <translation>它的应答（代码 %1）以二维码消息的形式到达</translation>
    </message>
    <message>
        <source>answers with code %1 are never matched to a record</source>
        <translation>代码为 %1 的应答从不会匹配到任何参数</translation>
    </message>
    <message>
        <source>its answer (code %1) goes to %2, which shares the code and comes first</source>
        <translation>它的应答（代码 %1）会交给 %2：后者使用相同的代码且排在前面</translation>
    </message>
    <message>
        <source>it has no read command</source>
        <translation>它没有读取命令</translation>
    </message>
    <message>
        <source>it has no write command</source>
        <translation>它没有写入命令</translation>
    </message>
    <message>
        <source>it is written with %1, which takes all its values at once</source>
        <translation>它要通过 %1 写入，%1 一次写入全部的值</translation>
    </message>
    <message>
        <source>its members are written each on its own: %1</source>
        <translation>它的成员需各自单独写入：%1</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>可</translation>
    </message>
    <message>
        <source>host</source>
        <translation>主机端</translation>
    </message>
    <message>
        <source>members</source>
        <translation>成员</translation>
    </message>
    <message>
        <source>group</source>
        <translation>组</translation>
    </message>
    <message>
        <source>notice</source>
        <translation>通知</translation>
    </message>
    <message>
        <source>unmatched</source>
        <translation>不匹配</translation>
    </message>
    <message>
        <source>READ, WRITE: yes: the device answers the record; host: a value of the host; members, group:
through the group&apos;s members or through the group; notice: confirmed by a job-state notice;
unmatched: the device&apos;s answer cannot be matched to the record (kvhost get or set says why).</source>
        <translation>读、写：可：设备会应答此参数；主机端：主机自己的值；成员、组：通过组的成员
或通过组读写；通知：由任务状态通知确认；不匹配：设备的应答无法匹配到此参数
（kvhost get 或 set 会说明原因）。</translation>
    </message>
</context>
<context>
    <name>RecordIO</name>
    <message>
        <source>&apos;%1&apos; is not a number</source>
        <translation>&apos;%1&apos; 不是数字</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a whole number of 0 or more</source>
        <translation>&apos;%1&apos; 不是大于等于 0 的整数</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a whole number</source>
        <translation>&apos;%1&apos; 不是整数</translation>
    </message>
    <message numerus="yes">
        <source>give %n values separated by commas (%1)</source>
        <translation>
            <numerusform>请给出 %n 个以逗号分隔的值（%1）</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RecordTable</name>
    <message numerus="yes">
        <source>%n bytes</source>
        <translation>
            <numerusform>%n 字节</numerusform>
        </translation>
    </message>
    <message>
        <source>status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>task</source>
        <translation>任务</translation>
    </message>
    <message>
        <source>QR code</source>
        <translation>二维码</translation>
    </message>
    <message>
        <source>KEY</source>
        <translation>键名</translation>
    </message>
    <message>
        <source>LABEL</source>
        <translation>标签</translation>
    </message>
    <message>
        <source>UNIT</source>
        <translation>单位</translation>
    </message>
    <message>
        <source>VALUE</source>
        <translation>值</translation>
    </message>
    <message>
        <source>GET</source>
        <translation>读码</translation>
    </message>
    <message>
        <source>SET</source>
        <translation>写码</translation>
    </message>
    <message>
        <source>LEN</source>
        <translation>长度</translation>
    </message>
    <message>
        <source>TYPE</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>READ</source>
        <translation>读</translation>
    </message>
    <message>
        <source>WRITE</source>
        <translation>写</translation>
    </message>
    <message numerus="yes">
        <source>%n records</source>
        <translation>
            <numerusform>共 %n 个参数</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SettingsPage</name>
    <message>
        <source>%1 read: %2</source>
        <translation>已读取 %1：%2</translation>
    </message>
    <message>
        <source>%1: no answer to the read within %2 s</source>
        <translation>%1：%2 秒内未收到读取的应答</translation>
    </message>
    <message>
        <source>%1: the device refused the read (result %2)</source>
        <translation>%1：设备拒绝了读取（结果 %2）</translation>
    </message>
    <message>
        <source>%1 write: %2</source>
        <translation>已写入 %1：%2</translation>
    </message>
    <message>
        <source>%1: no answer to the write within %2 s</source>
        <translation>%1：%2 秒内未收到写入的应答</translation>
    </message>
    <message>
        <source>%1: the device refused the write (result %2)</source>
        <translation>%1：设备拒绝了写入（结果 %2）</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>写入</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>nothing was edited, nothing written</source>
        <translation>没有修改，未写入任何内容</translation>
    </message>
</context>
<context>
    <name>ToolLanguage</name>
    <message>
        <source>--lang takes one of the languages the labels come in: %1; not &apos;%2&apos;.</source>
        <translation>--lang 的取值须为已提供的语言之一：%1；而不是 &apos;%2&apos;。</translation>
    </message>
</context>
<context>
    <name>ToolOptions</name>
    <message>
        <source>--family takes 583 or 261, not &apos;%1&apos;.</source>
        <translation>--family 的取值为 583 或 261，而不是 &apos;%1&apos;。</translation>
    </message>
    <message>
        <source>--time-scale takes a factor from 0 to %1 (1 is real time), not &apos;%2&apos;.</source>
        <translation>--time-scale 的取值为 0 到 %1 的倍率（1 为实时），而不是 &apos;%2&apos;。</translation>
    </message>
</context>
<context>
    <name>ValueCheck</name>
    <message>
        <source>the value must be from %1 to %2%3, not %4</source>
        <translation>值必须在 %1 到 %2%3 之间，而不是 %4</translation>
    </message>
    <message>
        <source>the value cannot hold &apos;%1&apos;: it ends or splits the fields of a frame</source>
        <translation>值中不能含有 &apos;%1&apos;：它会结束或分割数据帧的字段</translation>
    </message>
    <message>
        <source>the value is too long: its frame takes %1 bytes, and the device&apos;s answer must stay under %2</source>
        <translation>值太长：它的数据帧占 %1 字节，而设备的应答必须少于 %2 字节</translation>
    </message>
</context>
<context>
    <name>kvcloud</name>
    <message>
        <source>--%1 takes a whole number from 0 to %2</source>
        <translation>--%1 的取值为 0 到 %2 的整数</translation>
    </message>
    <message>
        <source>A local cloud service for the plotter plug-in: device registry, work records and device channels, with switches for failures. GET /_records shows what it received.</source>
        <translation>切割机插件的本地云服务：设备注册、工作记录和设备通道，
并带有模拟故障的开关。GET /_records 显示它收到的内容。</translation>
    </message>
    <message>
        <source>HTTP port on 127.0.0.1 (default 0: a free one, printed).</source>
        <translation>127.0.0.1 上的 HTTP 端口（默认 0：
选取一个空闲端口并输出）。</translation>
    </message>
    <message>
        <source>WebSocket port on 127.0.0.1 (default 0: a free one, printed).</source>
        <translation>127.0.0.1 上的 WebSocket 端口（默认 0：
选取一个空闲端口并输出）。</translation>
    </message>
    <message>
        <source>Answer every request with this HTTP status (for example 500).</source>
        <translation>对每个请求都以此 HTTP 状态码应答（例如 500）。</translation>
    </message>
    <message>
        <source>Answer every request this many ms later.</source>
        <translation>每个请求都推迟这么多毫秒再应答。</translation>
    </message>
    <message>
        <source>Answer no request at all: the clients wait until they give up.</source>
        <translation>不应答任何请求：客户端会一直等到放弃为止。</translation>
    </message>
    <message>
        <source>Close a connection that sends nothing for this many seconds while no answer is due to it (default 120; 0 never).</source>
        <translation>没有待发应答时，若连接在这么多秒内未发送任何内容，
则将其关闭（默认 120；0 表示从不关闭）。</translation>
    </message>
    <message>
        <source>Language of the texts: en_US, ja_JP or zh_CN.</source>
        <translation>文本的语言：en_US、ja_JP 或 zh_CN。</translation>
    </message>
    <message>
        <source>Log every request, answer and channel message.</source>
        <translation>记录每个请求、应答和通道消息。</translation>
    </message>
    <message>
        <source>--fail takes an HTTP status from 100 to 599</source>
        <translation>--fail 的取值为 100 到 599 的 HTTP 状态码</translation>
    </message>
    <message>
        <source>cannot listen: %1</source>
        <translation>无法监听：%1</translation>
    </message>
</context>
<context>
    <name>kvhost</name>
    <message>
        <source>the plug-in made no device object for family %1</source>
        <translation>插件没有为系列 %1 创建设备对象</translation>
    </message>
    <message>
        <source>cannot start the simulator: %1</source>
        <translation>无法启动模拟器：%1</translation>
    </message>
    <message>
        <source>connected: %1 (simulator)</source>
        <translation>已连接：%1（模拟器）</translation>
    </message>
    <message>
        <source>connected: %1</source>
        <translation>已连接：%1</translation>
    </message>
</context>
<context>
    <name>kvpanel</name>
    <message>
        <source>Settings panel for the KV-RV520MAXCam plug-in. Its texts and the labels follow the system language (LC_ALL=ja_JP.UTF-8 for Japanese) or --lang.</source>
        <translation>KV-RV520MAXCam 插件的设置面板。其文本和标签跟随系统语言
（日语为 LC_ALL=ja_JP.UTF-8）或 --lang。</translation>
    </message>
    <message>
        <source>The plug-in library to load.</source>
        <translation>要加载的插件库。</translation>
    </message>
    <message>
        <source>Start the simulator in this process and connect to it.</source>
        <translation>在本进程中启动模拟器并连接它。</translation>
    </message>
    <message>
        <source>Simulator cutting time factor (1 = real time).</source>
        <translation>模拟器的切割时间倍率（1 = 实时）。</translation>
    </message>
    <message>
        <source>Command dialect: 583 (the model, default) or 261.</source>
        <translation>命令方言：583（本机型，默认）或 261。</translation>
    </message>
    <message>
        <source>Language of the texts and labels: en_US, ja_JP or zh_CN.</source>
        <translation>文本和标签的语言：en_US、ja_JP 或 zh_CN。</translation>
    </message>
    <message>
        <source>the plug-in made no device object</source>
        <translation>插件没有创建设备对象</translation>
    </message>
</context>
<context>
    <name>kvsim</name>
    <message>
        <source>--%1 takes a whole number from %2 to %3</source>
        <translation>--%1 的取值为 %2 到 %3 的整数</translation>
    </message>
    <message>
        <source>Simulates the camera cutting plotter: its parameters, replies, jobs and line faults.</source>
        <translation>模拟带摄像头的切割机：它的参数、应答、任务和线路故障。</translation>
    </message>
    <message>
        <source>TCP port on 127.0.0.1 (default 9100; 0 picks a free one and prints it).</source>
        <translation>127.0.0.1 上的 TCP 端口（默认 9100；
0 表示选取一个空闲端口并输出）。</translation>
    </message>
    <message>
        <source>Also serve a pseudo-terminal (its path is printed) as the USB line.</source>
        <translation>同时提供一个伪终端作为 USB 线路（输出其路径）。</translation>
    </message>
    <message>
        <source>Firmware dialect: 583 (default) or 261.</source>
        <translation>固件方言：583（默认）或 261。</translation>
    </message>
    <message>
        <source>Cutting time factor: 1 is real time, 0 cuts at once (default 1).</source>
        <translation>切割时间倍率：1 为实时，0 为立即切完（默认 1）。</translation>
    </message>
    <message>
        <source>Text the QR-code read answers with.</source>
        <translation>读取二维码时应答的文本。</translation>
    </message>
    <message>
        <source>Close a TCP connection that sends nothing for this many seconds, unless the plotter is cutting (default 600; 0 never).</source>
        <translation>若 TCP 连接在这么多秒内未发送任何内容，
则将其关闭，切割机正在切割时除外
（默认 600；0 表示从不关闭）。</translation>
    </message>
    <message>
        <source>Fault: send every frame in pieces of N bytes.</source>
        <translation>故障：把每个数据帧分成 N 字节的小块发送。</translation>
    </message>
    <message>
        <source>Pause between pieces in ms (default 2).</source>
        <translation>小块之间的停顿，单位毫秒（默认 2）。</translation>
    </message>
    <message>
        <source>Fault: N noise bytes in front of every frame.</source>
        <translation>故障：在每个数据帧前加上 N 个噪声字节。</translation>
    </message>
    <message>
        <source>Fault: leave every Nth reply unsent.</source>
        <translation>故障：每第 N 个应答不发送。</translation>
    </message>
    <message>
        <source>Fault: send nothing after N frames on a connection.</source>
        <translation>故障：一个连接上 N 个数据帧之后不再发送。</translation>
    </message>
    <message>
        <source>Fault: drop the connections when a job&apos;s first copy is half cut.</source>
        <translation>故障：任务的第一份切到一半时断开连接。</translation>
    </message>
    <message>
        <source>Language of the texts: en_US, ja_JP or zh_CN.</source>
        <translation>文本的语言：en_US、ja_JP 或 zh_CN。</translation>
    </message>
    <message>
        <source>Log every frame received and sent.</source>
        <translation>记录收发的每个数据帧。</translation>
    </message>
    <message>
        <source>--family is 583 or 261</source>
        <translation>--family 为 583 或 261</translation>
    </message>
    <message>
        <source>--time-scale takes a number of 0 or more</source>
        <translation>--time-scale 的取值为 0 或更大的数</translation>
    </message>
    <message>
        <source>cannot listen on 127.0.0.1:%1: %2</source>
        <translation>无法在 127.0.0.1:%1 上监听：%2</translation>
    </message>
    <message>
        <source>no pseudo-terminal: %1</source>
        <translation>无法打开伪终端：%1</translation>
    </message>
</context>
</TS>
